#!/usr/bin/env python3
"""Mutation testing of a change; tools/mutate runs it (see there)."""

import argparse
import fcntl
import hashlib
import os
import random
import re
import signal
import subprocess
import sys
import time
from dataclasses import dataclass, field

PRODUCT_EXCLUDED = ("tests/", "bench/", "tools/", "build/", "packaging/", "cmake/")
SOURCE_SUFFIXES = (".cpp", ".h")
# The quick programs first; qpx's end-to-end tests before the unit tests
# for a fault in qpx's own folder.
TEST_BINARIES = (
    "tests/console/qpx_console_tests",
    "tests/qpx_save_fault_tests",
    "tests/qpx_unit_tests",
    "tests/console/qpx_console_e2e_tests",
)
BUILD_TARGETS = ("qpx_unit_tests", "qpx_console_tests", "qpx_console_e2e_tests",
                 "qpx_save_fault_tests")
EQUIVALENT_LIST = "docs/mutation.md"


@dataclass
class Mutant:
    path: str
    line: int          # 1-based line of the mutated spot
    kind: str          # what was done, e.g. "'<' -> '<='"
    start: int         # offset in the file's text
    end: int
    replacement: str
    line_text: str = ""
    outcome: str = ""
    detail: str = ""
    seconds: float = 0.0

    def key(self):
        """Stable identity: file, the line's text and the mutation."""
        return f"{self.path} | {self.line_text.strip()} | {self.kind}"


# ---------------------------------------------------------------------------
# Reading C++ by text: comments and literals blanked, lines to leave alone.

def code_mask(text):
    """The text with comments, string and character literals replaced by
    spaces (newlines kept), so that offsets stay those of the text."""
    out = list(text)
    i, n = 0, len(text)

    def blank(a, b):
        for k in range(a, b):
            if out[k] != "\n":
                out[k] = " "

    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            blank(i, j)
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            blank(i, j)
            i = j
        elif c == "R" and text.startswith('R"', i) and not (i and (text[i - 1].isalnum() and text[i - 1] not in "u8LU")):
            m = re.match(r'R"([^(\s]*)\(', text[i:])
            if not m:
                i += 1
                continue
            close = ")" + m.group(1) + '"'
            j = text.find(close, i + m.end())
            j = n if j < 0 else j + len(close)
            blank(i + 1, j)
            i = j
        elif c in "\"'":
            if c == "'" and i and text[i - 1].isalnum() and i + 1 < n and text[i + 1].isalnum():
                i += 1  # a digit separator: 1'000
                continue
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            blank(i + 1, min(j, n))
            i = j + 1
        else:
            i += 1
    return "".join(out)


def skipped_ranges(mask):
    """Offsets where no mutant goes: preprocessor lines (with their
    continuations) and static_asserts."""
    ranges = []
    for m in re.finditer(r"(?m)^[ \t]*#(?:[^\n]*\\\n)*[^\n]*", mask):
        ranges.append((m.start(), m.end()))
    for m in re.finditer(r"\bstatic_assert\s*\(", mask):
        end = matching_close(mask, m.end() - 1)
        ranges.append((m.start(), end + 1))
    return ranges


def matching_close(mask, open_at):
    """Offset of the bracket that closes the one at open_at."""
    pairs = {"(": ")", "[": "]", "{": "}"}
    depth = 0
    for k in range(open_at, len(mask)):
        ch = mask[k]
        if ch in pairs:
            depth += 1
        elif ch in ")]}":
            depth -= 1
            if depth == 0:
                return k
    return len(mask) - 1


def operand_span(mask, at, width, tighter):
    """The operands left and right of a logical operator at offset `at`:
    (left_start, right_end). `tighter` is True for &&, which a || ends."""
    stops = ("&&", "||") if tighter else ("||",)
    left = operand_edge(mask, at - 1, -1, stops) + 1
    if re.match(r"\s*return\b", mask[left:at]):
        left += mask[left:at].index("return") + len("return")
    return left, operand_edge(mask, at + width, 1, stops)


def operand_edge(mask, k, step, stops):
    """Scans from k by step (-1 or 1) to the first offset past the operand."""
    deeper, shallower = (")]", "([{") if step < 0 else ("([", ")]}")
    ends = ";,?:=}" if step < 0 else ";,?:{"
    depth = 0
    while 0 <= k < len(mask):
        ch = mask[k]
        pair = mask[k - 1:k + 1] if step < 0 else mask[k:k + 2]
        if ch in deeper:
            depth += 1
        elif ch in shallower:
            if depth == 0:
                break
            depth -= 1
        elif depth == 0 and (ch in ends and not part_of_operator(mask, k) or pair in stops):
            break
        k += step
    return k


# ---------------------------------------------------------------------------
# The mutants of one file's changed lines.

RELATIONAL = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
INTEGER = re.compile(r"(?<![\w.])(0[xX][0-9A-Fa-f']+|\d[\d']*)([uUlL]*)(?![\w.'])")
ASSIGNMENT_OR_CALL = re.compile(
    r"^[ \t]*(?:\*|\+\+|--)?[A-Za-z_][\w:.\[\]>-]*(?:\([^;]*\))?[\w.\[\]>-]*\s*"
    r"(?:=(?!=)|\+=|-=|\*=|/=|%=|\|=|&=|\^=|<<=|>>=|\+\+|--|\()")
NOT_STATEMENTS = re.compile(r"^\s*(?:return|break|continue|case|default|using|typedef|goto|"
                            r"if|else|for|while|do|switch|const|constexpr|static|auto|"
                            r"public|private|protected|namespace|template|class|struct|enum)\b")


def file_mutants(path, text, changed_lines):
    mask = code_mask(text)
    skip = skipped_ranges(mask)
    line_starts = [0] + [m.end() for m in re.finditer("\n", text)]
    lines = text.split("\n")

    def line_of(offset):
        lo, hi = 0, len(line_starts) - 1
        while lo < hi:
            mid = (lo + hi + 1) // 2
            if line_starts[mid] <= offset:
                lo = mid
            else:
                hi = mid - 1
        return lo + 1

    def usable(offset):
        return line_of(offset) in changed_lines and not any(a <= offset < b for a, b in skip)

    mutants, made = [], set()

    def add(start, end, replacement, kind):
        if not usable(start):
            return
        result = hashlib.sha1((text[:start] + replacement + text[end:]).encode()).digest()
        if result in made:
            return  # the same program as another mutant
        made.add(result)
        line = line_of(start)
        mutants.append(Mutant(path, line, kind, start, end, replacement, lines[line - 1]))

    for m in re.finditer(r"(?<=\s)(<=|>=|<|>)(?=\s)|(==|!=)", mask):
        op = m.group(0)
        if re.search(r"operator\s*$", mask[max(0, m.start() - 12):m.start()]):
            continue
        add(m.start(), m.end(), RELATIONAL[op], f"'{op}' -> '{RELATIONAL[op]}'")
    for m in re.finditer(r"(?<=\s)(&&|\|\|)(?=\s)", mask):
        op = m.group(0)
        other = "||" if op == "&&" else "&&"
        add(m.start(), m.end(), other, f"'{op}' -> '{other}'")
        left, right = operand_span(mask, m.start(), 2, op == "&&")
        left_text = text[left:m.start()].strip()
        right_text = text[m.end():right].strip()
        if left_text and right_text:
            lead = len(text[left:m.start()]) - len(text[left:m.start()].lstrip())
            gap = len(text[left:m.start()]) - len(text[left:m.start()].rstrip(" \t"))
            add(m.start() - gap, right, "", f"'{op} {one_line(right_text)}' dropped")
            add(left + lead, m.end() + 1, "", f"'{one_line(left_text)} {op}' dropped")
    for m in re.finditer(r"!(?!=)", mask):
        add(m.start(), m.end(), "", "'!' dropped")
    for m in re.finditer(r"\b(if|while)\s*\(", mask):
        close = matching_close(mask, m.end() - 1)
        inner = mask[m.end():close]
        if "&&" in inner or "||" in inner or not inner.strip() or ";" in inner:
            continue
        if re.match(r"\s*(?:const\s+)?(?:auto|[\w:<>]+\s+[\w]+\s*=)", inner):
            continue  # a declaration in the condition
        if re.match(r"\s*(?:\{\s*)?return\b", mask[close + 1:]):
            continue  # the same as removing that return
        if m.group(1) == "if":
            add(m.end(), close, "false", f"condition '{one_line(text[m.end():close])}' made false")
    for m in INTEGER.finditer(mask):
        digits, suffix = m.group(1), m.group(2)
        plain = digits.replace("'", "").lower()
        radix = 16 if plain.startswith("0x") else 8 if plain.startswith("0") and len(plain) > 1 else 10
        value = int(plain, radix)
        if mask[max(0, m.start() - 1)] == "[" and mask[m.end():m.end() + 1] == "]" and \
                re.search(r"\w\s*\[$", mask[max(0, m.start() - 40):m.start() + 1]) and \
                re.search(r"(?:char|int|\w+_t|>)\s+\w+\s*\[$", mask[max(0, m.start() - 60):m.start() + 1]):
            continue  # an array's size
        for new in (value + 1, value - 1):
            if new < 0:
                continue
            shown = "0x%X" % new if radix == 16 else "0%o" % new if radix == 8 else str(new)
            add(m.start(), m.end(), shown + suffix, f"{digits}{suffix} -> {shown}{suffix}")
    for m in re.finditer(r"\breturn\b", mask):
        before = mask[:m.start()].rstrip()
        early = before.endswith(")") or before.endswith(":") and not before.endswith("::") \
            or re.search(r"\belse$", before)
        if not early and before.endswith("{"):
            head = before[:-1].rstrip()
            early = head.endswith(")") and not re.search(r"\)\s*(?:const|noexcept|override)?\s*$", head[-1:]) \
                and is_control_block(mask, head)
            early = early or bool(re.search(r"\belse$", head))
        if not early:
            continue
        semicolon = statement_end(mask, m.start())
        add(m.start(), semicolon + 1, "{}", f"'{one_line(text[m.start():semicolon + 1])}' removed")
    for number, line in enumerate(lines, 1):
        start = line_starts[number - 1]
        code = mask[start:start + len(line)]
        if number not in changed_lines or NOT_STATEMENTS.match(code) or not ASSIGNMENT_OR_CALL.match(code):
            continue
        before = mask[:start].rstrip()
        if before and before[-1] not in ";{}":
            continue  # not where a statement starts
        semicolon = statement_end(mask, start)
        if semicolon < 0 or "{" in mask[start:semicolon]:
            continue
        end = semicolon + 1
        if text[end:end + 1] == "\n":
            end += 1
        add(start, end, "",
            f"statement '{one_line(text[start:semicolon + 1])}' deleted")
    # The same mutation twice on one line: the later ones are numbered.
    seen = {}
    for m in sorted(mutants, key=lambda m: m.start):
        seen[(m.line, m.kind)] = seen.get((m.line, m.kind), 0) + 1
        if seen[(m.line, m.kind)] > 1:
            m.kind += f" #{seen[(m.line, m.kind)]}"
    return mutants


def part_of_operator(mask, k):
    """Whether the ':' or '=' at k belongs to '::' or a comparison."""
    if mask[k] == ":":
        return mask[k - 1:k] == ":" or mask[k + 1:k + 2] == ":"
    if mask[k] == "=":
        return mask[k - 1:k] in ("=", "!", "<", ">") or mask[k + 1:k + 2] == "="
    return False


def is_control_block(mask, head):
    """Whether the ')' that ends `head` closes an if, for, while or switch."""
    depth = 0
    for k in range(len(head) - 1, -1, -1):
        if head[k] == ")":
            depth += 1
        elif head[k] == "(":
            depth -= 1
            if depth == 0:
                return bool(re.search(r"\b(?:if|for|while|switch)\s*$", head[:k]))
    return False


def statement_end(mask, start):
    """Offset of the ';' that ends the statement starting at `start`."""
    depth = 0
    for k in range(start, len(mask)):
        ch = mask[k]
        if ch in "([{":
            depth += 1
        elif ch in ")]}":
            depth -= 1
            if depth < 0:
                return -1
        elif ch == ";" and depth == 0:
            return k
    return -1


def one_line(text):
    return re.sub(r"\s+", " ", text.strip())


def mutated_text(text, mutant):
    return text[:mutant.start] + mutant.replacement + text[mutant.end:]


def mutant_diff(text, mutant):
    """The changed lines, before and after."""
    first = text.rfind("\n", 0, mutant.start) + 1
    last = text.find("\n", mutant.end)
    last = len(text) if last < 0 else last
    old = text[first:last]
    new = text[first:mutant.start] + mutant.replacement + text[mutant.end:last]
    lines = [f"--- {mutant.path}:{mutant.line}"]
    lines += ["-" + l for l in old.split("\n")]
    lines += ["+" + l for l in new.split("\n")] if new.strip() else ["+"]
    return "\n".join(lines)


# ---------------------------------------------------------------------------
# The change: its product files and their added or modified lines.

def git(args, cwd, check=True):
    # A change may carry files that are not UTF-8 (fuzz corpora): their
    # bytes are read as replacement characters, only product lines matter.
    done = subprocess.run(["git"] + args, cwd=cwd, capture_output=True, text=True,
                          errors="replace")
    if check and done.returncode != 0:
        sys.exit(f"mutate: git {' '.join(args)}: {done.stderr.strip()}")
    return done.stdout.strip()


def default_base(root):
    for ref in ("origin/main", "main"):
        if git(["rev-parse", "--verify", "-q", ref], root, check=False):
            base = git(["merge-base", "HEAD", ref], root, check=False)
            if base:
                return base
    sys.exit("mutate: no main branch to compare with; give --base")


def is_product(path):
    return path.endswith(SOURCE_SUFFIXES) and not path.startswith(PRODUCT_EXCLUDED)


def changed_lines(root, base, head, filters):
    diff = git(["diff", "-U0", "--no-color", "--no-ext-diff", base, head, "--"], root)
    result, path = {}, None
    for line in diff.split("\n"):
        if line.startswith("+++ "):
            name = line[4:]
            path = name[2:] if name.startswith("b/") else None
            if path and (not is_product(path) or
                         (filters and not any(path == f or path.startswith(f.rstrip("/") + "/")
                                              for f in filters))):
                path = None
        elif path and line.startswith("@@"):
            m = re.search(r"\+(\d+)(?:,(\d+))?", line)
            first, count = int(m.group(1)), int(m.group(2) or 1)
            result.setdefault(path, set()).update(range(first, first + count))
    return {p: lines for p, lines in result.items() if lines}


def equivalent_keys(root):
    """The mutants docs/mutation.md lists as equivalent: its table rows
    `| file | line text | mutation | reason |`."""
    keys = set()
    try:
        with open(os.path.join(root, EQUIVALENT_LIST), encoding="utf-8") as f:
            for row in f:
                cells = [c.strip() for c in re.split(r"(?<!\\)\|", row.strip())[1:-1]]
                if len(cells) >= 4 and row.lstrip().startswith("|"):
                    cells = [c.strip("`").replace("\\|", "|") for c in cells]
                    keys.add(f"{cells[0]} | {cells[1]} | {cells[2]}")
    except FileNotFoundError:
        pass
    return keys


# ---------------------------------------------------------------------------
# The separate copy: a clone of its own, built incrementally run after run.

def prepare_copy(root, head, workdir, log):
    if not os.path.isdir(os.path.join(workdir, ".git")):
        os.makedirs(os.path.dirname(workdir), exist_ok=True)
        common = os.path.abspath(os.path.join(root, git(["rev-parse", "--git-common-dir"], root)))
        subprocess.run(["git", "clone", "-q", "--shared", "--no-checkout", common, workdir],
                       check=True)
    git(["-c", "advice.detachedHead=false", "checkout", "-q", "--force", "--detach", head], workdir)
    git(["reset", "-q", "--hard", head], workdir)
    if not os.path.isfile(os.path.join(workdir, "build/native/build.ninja")):
        log("configuring the copy's native build")
        run_logged(["cmake", "--preset", "native"], workdir, None)


def run_logged(command, cwd, timeout, nice=True):
    """Runs a command; returns (exit status or None on timeout, output)."""
    full = (["nice", "-n", "10"] if nice else []) + command
    process = subprocess.Popen(full, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                               text=True, errors="replace", start_new_session=True)
    try:
        output, _ = process.communicate(timeout=timeout)
        return process.returncode, output
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, 9)
        output, _ = process.communicate()
        return None, output
    except BaseException:
        os.killpg(process.pid, 9)
        raise


def build(workdir, targets=BUILD_TARGETS):
    status, output = run_logged(["cmake", "--build", "build/native", "--target", *targets],
                                workdir, 900)
    return status == 0, output


def suite(workdir, first, timeout, path="", everything=True):
    """Runs the test programs, `first` before the others, each stopping at
    its first failure. Returns (passed, what failed or timed out)."""
    deadline = time.monotonic() + timeout
    env = dict(os.environ, GTEST_BRIEF="1")
    binaries = list(TEST_BINARIES)
    if path.startswith("console/"):
        binaries.insert(1, binaries.pop())
    for binary, test_filter in first + [(b, "*") for b in binaries if everything]:
        left = deadline - time.monotonic()
        if left <= 0:
            return False, "timeout"
        command = [os.path.join(workdir, "build/native", binary), "--gtest_fail_fast",
                   f"--gtest_filter={test_filter}"]
        process = subprocess.Popen(["nice", "-n", "10"] + command,
                                   cwd=os.path.join(workdir, "build/native", os.path.dirname(binary)),
                                   stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                                   errors="replace", env=env, start_new_session=True,
                                   stdin=subprocess.DEVNULL)
        try:
            output, _ = process.communicate(timeout=left)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, 9)
            process.communicate()
            return False, f"timeout in {os.path.basename(binary)}"
        except BaseException:
            os.killpg(process.pid, 9)
            raise
        if process.returncode != 0:
            failed = re.findall(r"\[  FAILED  \] (\S+)", output)
            what = failed[0] if failed else f"exit status {process.returncode}"
            return False, f"{os.path.basename(binary)}: {what}"
    return True, ""


def focused_tests(workdir, path):
    """The tests most likely to catch a fault in `path`: the suites of the
    test files that name its subject, in the program that holds them."""
    stem = os.path.splitext(os.path.basename(path))[0].split("_")[0]
    found = {}
    tests_dir = os.path.join(workdir, "tests")
    for folder, _, names in os.walk(tests_dir):
        for name in names:
            if not name.endswith(".cpp") or "e2e" in folder.split(os.sep):
                continue
            full = os.path.join(folder, name)
            with open(full, encoding="utf-8", errors="replace") as f:
                source = f.read()
            if stem not in name and f"{stem}.h" not in source:
                continue
            binary = "tests/console/qpx_console_tests" if os.sep + "console" in folder[len(tests_dir):] \
                else "tests/qpx_unit_tests"
            for suite_name in re.findall(r"\bTEST(?:_F|_P)?\(\s*(\w+)\s*,", source):
                found.setdefault(binary, set()).add(suite_name)
    return [(b, ":".join(f"{x}.*" for x in sorted(s))) for b, s in found.items()]


# ---------------------------------------------------------------------------

def main():
    # Killed, the run still ends its test or build and puts the copy back.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("mutate: stopped"))
    parser = argparse.ArgumentParser(prog="tools/mutate", description=__doc__)
    parser.add_argument("paths", nargs="*", help="only product files under these paths")
    parser.add_argument("--base", help="the commit the change starts from "
                        "(default: where HEAD left origin/main, or main)")
    parser.add_argument("--budget", type=float, default=20, help="minutes for the whole run")
    parser.add_argument("--draw", type=int, default=1, help="number of the sample drawn")
    parser.add_argument("--match", help="only mutants whose key (file | line | mutation) "
                        "this regular expression finds")
    parser.add_argument("--list", action="store_true", help="list the mutants, run none")
    parser.add_argument("--rev", default="HEAD", help="the commit to mutate (default: HEAD)")
    parser.add_argument("--workdir", help="the separate copy (default: under ~/.cache)")
    args = parser.parse_args()
    started = time.monotonic()
    root = git(["rev-parse", "--show-toplevel"], os.getcwd())
    base = git(["rev-parse", args.base], root) if args.base else default_base(root)
    head = git(["rev-parse", args.rev], root)
    filters = [os.path.relpath(os.path.abspath(p), root) for p in args.paths]
    filters = ["" if f == "." else f for f in filters]
    filters = [] if "" in filters else filters

    lines = changed_lines(root, base, head, filters)
    equivalent = equivalent_keys(root)
    mutants, texts = [], {}
    for path in sorted(lines):
        texts[path] = subprocess.run(["git", "show", f"{head}:{path}"], cwd=root, check=True,
                                     capture_output=True).stdout.decode("utf-8")
        mutants += file_mutants(path, texts[path], lines[path])
    if args.match:
        mutants = [m for m in mutants if re.search(args.match, m.key())]
    listed = [m for m in mutants if m.key() in equivalent]
    mutants = [m for m in mutants if m.key() not in equivalent]
    print(f"change {base[:10]}..{head[:10]}: {len(lines)} product files, "
          f"{len(mutants)} mutants ({len(listed)} more listed as equivalent)")
    if any(is_product(line.split(maxsplit=1)[-1]) for line in
           git(["status", "--porcelain", "--untracked-files=no"], root).split("\n") if line):
        print("note: uncommitted changes are not mutated; only the commit HEAD is")
    if args.list:
        for m in mutants:
            print(f"{m.path}:{m.line}: {m.kind}\n  key: {m.key()}")
        return 0
    if not mutants:
        print("mutation score: 0/0 killed")
        return 0

    workdir = args.workdir or os.path.join(
        os.environ.get("XDG_CACHE_HOME", os.path.expanduser("~/.cache")), "qpx-mutate",
        hashlib.sha1(root.encode()).hexdigest()[:12])
    os.makedirs(os.path.dirname(workdir), exist_ok=True)
    lock = open(workdir + ".lock", "w")
    try:
        fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
    except OSError:
        sys.exit(f"mutate: another run uses {workdir}")

    def log(what):
        print(f"[{time.monotonic() - started:6.0f}s] {what}", flush=True)

    log(f"copy: {workdir}")
    prepare_copy(root, head, workdir, log)
    log("building the unmutated copy")
    built, output = build(workdir)
    if not built:
        print(output[-3000:])
        sys.exit("mutate: the unmutated change does not build")
    clean_start = time.monotonic()
    passed, what = suite(workdir, [], 1800)
    suite_seconds = time.monotonic() - clean_start
    if not passed:
        sys.exit(f"mutate: the unmutated change fails its tests ({what})")
    timeout = 2 * suite_seconds + 20
    log(f"the suite passes in {suite_seconds:.0f}s; a mutant's run stops after {timeout:.0f}s")

    budget_end = started + args.budget * 60
    per_mutant = 0.4 * suite_seconds + 30  # most are killed early; each is rebuilt
    fits = max(1, int((budget_end - time.monotonic()) / per_mutant))
    total = len(mutants)
    if total > fits:
        # A shuffle's first mutants: a longer budget tests more of the same order.
        order = list(range(total))
        random.Random(args.draw).shuffle(order)
        mutants = [mutants[i] for i in sorted(order[:fits])]
        print(f"sampled {fits} of {total} mutants (draw {args.draw}): more do not fit "
              f"in {args.budget:g} minutes")
    results = run_mutants(workdir, mutants, texts, timeout, budget_end, log)
    return report(results, total, texts)


def run_mutants(workdir, mutants, texts, timeout, budget_end, log):
    done = []
    focus = {}
    try:
        for index, mutant in enumerate(mutants, 1):
            if time.monotonic() > budget_end:
                log(f"time budget spent: {len(mutants) - index + 1} mutants not run")
                break
            began = time.monotonic()
            target = os.path.join(workdir, mutant.path)
            with open(target, "w", encoding="utf-8", newline="") as f:
                f.write(mutated_text(texts[mutant.path], mutant))
            if mutant.path not in focus:
                focus[mutant.path] = focused_tests(workdir, mutant.path)
            # The focused tests' programs first: a mutant they kill needs no other.
            built, _ = build(workdir, [os.path.basename(b) for b, _ in focus[mutant.path]] or
                             BUILD_TARGETS)
            passed, what = suite(workdir, focus[mutant.path], timeout, mutant.path, False) \
                if built else (True, "")
            if built and passed:
                built, _ = build(workdir)
            if not built:
                mutant.outcome = "did not build"
            else:
                if passed:
                    passed, what = suite(workdir, [], timeout, mutant.path)
                mutant.outcome = "survived" if passed else "killed"
                mutant.detail = what
            restore(workdir, mutant.path, texts)
            mutant.seconds = time.monotonic() - began
            done.append(mutant)
            log(f"{index}/{len(mutants)} {mutant.path}:{mutant.line} {mutant.kind}: "
                f"{mutant.outcome} {mutant.detail}".rstrip())
    finally:
        for path in {m.path for m in mutants}:
            restore(workdir, path, texts)
    return done


def restore(workdir, path, texts):
    with open(os.path.join(workdir, path), "w", encoding="utf-8", newline="") as f:
        f.write(texts[path])


def report(results, total, texts):
    survivors = [m for m in results if m.outcome == "survived"]
    unbuilt = [m for m in results if m.outcome == "did not build"]
    killed = [m for m in results if m.outcome == "killed"]
    print()
    for m in survivors:
        print(f"SURVIVED {m.path}:{m.line}: {m.kind}")
        print(mutant_diff(texts[m.path], m))
        cells = [m.path, f"`{m.line_text.strip()}`", m.kind, "why it changes nothing"]
        print(f"  if equivalent, in {EQUIVALENT_LIST}: | " +
              " | ".join(c.replace("|", "\\|") for c in cells) + " |")
        print()
    if unbuilt:
        print(f"did not build: {len(unbuilt)} mutants")
        for m in unbuilt:
            print(f"  {m.path}:{m.line}: {m.kind}")
    per_file = {}
    for m in results:
        counts = per_file.setdefault(m.path, [0, 0])
        if m.outcome != "did not build":
            counts[1] += 1
            counts[0] += m.outcome == "killed"
    for path, (k, n) in sorted(per_file.items()):
        print(f"  {path}: {k}/{n} killed")
    if len(results) < total:
        print(f"ran {len(results)} of {total} mutants")
    print(f"mutation score: {len(killed)}/{len(killed) + len(survivors)} killed")
    return 0 if not survivors else 1


if __name__ == "__main__":
    sys.exit(main())
