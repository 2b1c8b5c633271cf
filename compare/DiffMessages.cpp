#include "compare/DiffMessages.h"

void ShowMessage(platform::WindowHandle owner, DiffMessage message) {
  ShowMessage(owner, MessageOf(message));
}

std::string DirectionQuestion(const std::string& firstPath, const std::string& secondPath) {
  return firstPath + "から" + secondPath + "に変更するQuopraファイルを作成しますか？\n" +
         "逆に作成したい場合は、いいえを選択してください";
}
