"""tools/mutate's mutants: only code on the changed lines is mutated, never
comments, literals, preprocessor lines or static_asserts."""
import importlib.util
import os
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
spec = importlib.util.spec_from_file_location(
    "mutate", os.path.join(HERE, "..", "..", "tools", "mutate.py"))
mutate = importlib.util.module_from_spec(spec)
spec.loader.exec_module(mutate)

SOURCE = r'''#include <vector>  // a < b
#if 1 < 2
static_assert(sizeof(int) == 4 && 1 < 2);
#endif
// if (a == b) return 1;
/* x == y && z < 1 */
const char* kText = "a == b || c < 1";
const char* kRaw = R"(a == b; f(1);)";
char kQuote = '=';
int Size(std::vector<int> v, int limit) {
  if (v.size() < limit && !v.empty()) return 0;
  Count(v, 7);
  return v.size() == 2 ? 1 : 0;
}
'''


def mutants(lines):
    return [(m.line, m.kind, mutate.mutated_text(SOURCE, m))
            for m in mutate.file_mutants("x.cpp", SOURCE, set(lines))]


class Mutants(unittest.TestCase):
    def test_none_in_comments_literals_preprocessor_lines_or_static_asserts(self):
        self.assertEqual(mutants(range(1, 10)), [])

    def test_each_kind_on_a_changed_line(self):
        made = {(line, kind) for line, kind, _ in mutants([11, 12, 13])}
        for expected in [(11, "'<' -> '<='"), (11, "'&&' -> '||'"), (11, "'!' dropped"),
                         (11, "'&& !v.empty()' dropped"), (11, "'v.size() < limit &&' dropped"),
                         (11, "'return 0;' removed"), (12, "7 -> 8"), (12, "7 -> 6"),
                         (12, "statement 'Count(v, 7);' deleted"), (13, "'==' -> '!='"),
                         (13, "2 -> 3"), (13, "1 -> 0"), (13, "0 -> 1")]:
            self.assertIn(expected, made)
        self.assertFalse([m for m in made if m[0] == 10], "the template's <> are no comparison")

    def test_a_mutant_changes_only_its_spot(self):
        made = {kind: text for _, kind, text in mutants([11])}
        line = "  if (v.size() < limit && !v.empty()) return 0;\n"
        for kind, mutated in [("'&& !v.empty()' dropped", "  if (v.size() < limit) return 0;\n"),
                              ("'v.size() < limit &&' dropped", "  if (!v.empty()) return 0;\n"),
                              ("'return 0;' removed", "  if (v.size() < limit && !v.empty()) {}\n")]:
            self.assertEqual(made[kind], SOURCE.replace(line, mutated))

    def test_mutants_of_one_program_are_made_once(self):
        texts = [text for _, _, text in mutants(range(1, 15))]
        self.assertEqual(len(texts), len(set(texts)))


class Git(unittest.TestCase):
    def test_output_that_is_not_utf8_is_read(self):
        with tempfile.TemporaryDirectory() as repo:
            subprocess.run(["git", "init", "-q", repo], check=True)
            with open(os.path.join(repo, "corpus"), "wb") as f:
                f.write(b"a\xd2\xffb")
            blob = mutate.git(["hash-object", "-w", "corpus"], repo)
            self.assertEqual(mutate.git(["cat-file", "blob", blob], repo), "a\ufffd\ufffdb")


if __name__ == "__main__":
    sys.exit(unittest.main())
