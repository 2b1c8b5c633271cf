// Texts for a person in both of qpx's languages, and the compile-time
// check that a table of them lacks none: every vocabulary (reasons, file
// messages, check's report, prompts, usage) is one table of such rows,
// and adding a message is adding one row.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/Console.h"

using platform::Language;

// One text in English and in Japanese (CP932). "%1", "%2", ... stand for
// the values Fill puts in, in the order each language needs.
struct Texts {
  std::string_view english;
  std::string_view japanese;

  constexpr std::string_view In(Language language) const {
    return language == Language::kJapanese ? japanese : english;
  }
  constexpr bool HasBoth() const { return !english.empty() && !japanese.empty(); }
};

// For a static_assert beside a table indexed by a number (a reason code):
// every row has both languages.
template <size_t N>
constexpr bool EveryRowHasBoth(const Texts (&rows)[N]) {
  for (const Texts& row : rows) {
    if (!row.HasBoth()) return false;
  }
  return true;
}

// A row of a vocabulary named by an enumeration.
template <typename Id>
struct TextRow {
  Id id;
  Texts texts;
};

// For a static_assert beside a vocabulary: one row per enumerator of its
// count, in the order of the enumeration, each with both languages.
template <typename Id, size_t N>
constexpr bool IsVocabulary(const TextRow<Id> (&rows)[N], size_t count) {
  if (N != count) return false;
  for (size_t at = 0; at < N; ++at) {
    if (rows[at].id != static_cast<Id>(at) || !rows[at].texts.HasBoth()) return false;
  }
  return true;
}

template <typename Id, size_t N>
constexpr std::string_view TextOf(const TextRow<Id> (&rows)[N], Id id, Language language) {
  return rows[static_cast<size_t>(id)].texts.In(language);
}

// The text of id in the language, its values filled in (Fill).
template <typename Id, size_t N>
std::string Say(const TextRow<Id> (&rows)[N], Id id, Language language,
                std::initializer_list<std::string_view> values = {});

// The text with "%1" replaced by the first value, "%2" by the second, ...
// (up to nine). Only the text is searched: the values may hold anything,
// and "%" is no trail byte of a CP932 character.
std::string Fill(std::string_view text, std::initializer_list<std::string_view> values);

template <typename Id, size_t N>
std::string Say(const TextRow<Id> (&rows)[N], Id id, Language language,
                std::initializer_list<std::string_view> values) {
  return Fill(TextOf(rows, id, language), values);
}
