"""The mutation tester's own rules: which mutants a source line gives, what is never
mutated, how the equivalence list and a diff select them, and that a mutated file is put
back, also by the next run after one that was killed."""

import sys
import tempfile
import types
import unittest
from pathlib import Path

# The tool is a script without a .py name, so it is loaded as a module by hand.
SCRIPT = Path(__file__).resolve().parents[2] / "scripts" / "mutate"
mutate = types.ModuleType("mutate")
mutate.__file__ = str(SCRIPT)
sys.modules["mutate"] = mutate
exec(compile(SCRIPT.read_text(), str(SCRIPT), "exec"), mutate.__dict__)


def changes(source):
    return {(m.line, m.change): m.apply(source) for m in mutate.find_mutants("f.cpp", source)}


class TestMutate(unittest.TestCase):
    def test_mutants_of_a_line(self):
        rows = [  # source, a change it gives and the line it makes, or None: no such change
            ("if (a < b)\n    x = 1;\n", (1, "< -> <="), "if (a <= b)"),
            ("if (a < b)\n    x = 1;\n", (1, "if condition negated"), "if (!(a < b))"),
            ("if (a < b)\n    x = 1;\n", (1, "if condition true"), "if (true)"),
            ("if (a < b)\n    x = 1;\n", (2, "statement removed"), "    {}"),
            ("if (a < b)\n    x = 1;\n", (2, "1 -> 0"), "    x = 0;"),
            ("while (p && q)\n", (1, "&& -> ||"), "while (p || q)"),
            ("while (p && q)\n", (1, "while condition false"), "while (false)"),
            ("y = a * b - 2;\n", (1, "* -> /"), "y = a / b - 2;"),
            ("y = a * b - 2;\n", (1, "- -> +"), "y = a * b + 2;"),
            ("n += k;\n", (1, "+= -> -="), "n -= k;"),
            ("for (k = n; k-- > 0;)\n", (1, "-- -> ++"), "for (k = n; k++ > 0;)"),
            ("if (!done)\n", (1, "! removed"), "if (done)"),
            ("return a.key < b.key;\n", (1, "return {}"), "return {};"),
            ("return true;\n", (1, "return true -> false"), "return false;"),
            ("f(a == b, c == d);\n", (1, "== -> != @2"), "f(a == b, c != d);"),
            ("std::vector<int> v;\n", (1, "< -> <="), None),
            ('s = "a < b";\n', (1, "< -> <="), None),
            ("x = y; // a < b\n", (1, "< -> <="), None),
            ("/* a\n < b */ z();\n", (2, "< -> <="), None),
            ("#include <a>\n#define N 1\n", (2, "1 -> 2"), None),
            ('t = "x" + y;\n', (1, "+ -> -"), None),
            ("x = 1.5f + 2e3;\n", (1, "1 -> 2"), None),
            ("return {};\n", (1, "return {}"), None),
            ("int x = f(y);\n", (1, "statement removed"), None),
            ("g(a,\n  b);\nh();\n", (1, "statement removed"), "{}"),
            ('s = R"(a < b)";\n', (1, "< -> <="), None),
            ("n = 1'000;\n", (1, "0 -> 1"), None),
            ("while (i < n)\n", (1, "while condition negated"), "while (!(i < n))"),
            ("return false;\n", (1, "return false -> true"), "return true;"),
            ("return 0;\n", (1, "return {}"), None),
        ]
        for source, change, line in rows:
            with self.subTest(source=source, change=change):
                found = changes(source)
                if line is None:
                    self.assertNotIn(change, found)
                else:
                    self.assertEqual(found[change].splitlines()[change[0] - 1], line)

    def test_equivalence_list_and_diff(self):
        source = "a = 0;\nb.reserve(8);\nc = 0;\n"
        entries = [("f.cpp", "a = 0; b.reserve", "statement removed"), ("g.cpp", "", "8 -> 9"),
                   ("f.cpp", "reserve(8);", "0 -> 1")]  # not c = 0, the line after it
        listed = {m.change for m in mutate.find_mutants("f.cpp", source)
                  if mutate.is_equivalent(m, entries)}
        self.assertEqual(listed, {"statement removed"})
        diff = ("+++ b/src/x.cpp\n@@ -3,0 +4,2 @@\n@@ -9 +11 @@\n+++ /dev/null\n@@ -1 +0,0 @@\n")
        saved = mutate.run_capture
        mutate.run_capture = lambda command: diff
        try:
            self.assertEqual(mutate.changed_lines("base"), {"src/x.cpp": {4, 5, 11}})
        finally:
            mutate.run_capture = saved
        log = ("[1/4] src/a.cpp:7: < -> <=: survived\n[2/4] src/a.cpp:7: 1 -> 0: killed t x\n"
               "[3/4] src/a.cpp:9: return x: y: survived\n[4/4] src/b.cpp:2: 2 -> 3: not compiled\n"
               "  src/a.cpp:8: + -> -: survived\n")
        self.assertEqual(mutate.survivors_in(log),
                         {("src/a.cpp", 7, "< -> <="), ("src/a.cpp", 9, "return x: y")})

    def test_the_tests_of_a_file(self):
        rows = [("src/reports/ReportEngine.cpp", ["reports_tst_Reports"]),
                ("src/catalogue/ShopData.cpp", ["catalogue_tst_ShopData"]),
                ("src/settings/IniFile.cpp", ["settings_tst_Settings"]),
                ("src/ui/Nowhere.cpp", [])]
        for path, tests in rows:
            with self.subTest(path=path):
                self.assertEqual(mutate.tests_for(path), tests)
        core = mutate.core_files()
        self.assertIn("src/reports/Reports.cpp", core)
        self.assertNotIn("src/app/main.cpp", core)

    def test_tests_run_as_ctest_runs_them(self):
        with tempfile.TemporaryDirectory() as build:
            (Path(build) / "CTestTestfile.cmake").write_text(
                'add_test([=[a_tst_B]=] "/b/a_tst_B" "-x")\n'
                'set_tests_properties([=[a_tst_B]=] PROPERTIES  ENVIRONMENT "K=v;L=w=1" '
                'TIMEOUT "300")\n')
            found = mutate.Builder(Path(build), 1).test_commands()
        self.assertEqual(found, {"a_tst_B": {"command": ["/b/a_tst_B", "-x"],
                                             "env": {"K": "v", "L": "w=1"}, "dir": build}})

    def test_score(self):
        rows = [  # killed, survived, timed out: the score
            (9, 1, 0, "90%"), (8, 1, 1, "90%"), (0, 0, 0, "-"), (0, 3, 0, "0%")]
        for killed, survived, timed_out, score in rows:
            with self.subTest(row=(killed, survived, timed_out)):
                counts = {"killed": killed, "survived": survived, "timed out": timed_out}
                self.assertEqual(mutate.score(counts), score)

    def test_the_file_is_put_back(self):
        with tempfile.TemporaryDirectory() as root:
            saved = mutate.ROOT
            mutate.ROOT = Path(root)
            try:
                source = Path(root) / "a.cpp"
                source.write_bytes(b"x < y\n")
                guard = mutate.Guard(Path(root) / "build")
                guard.write("a.cpp", b"x < y\n", b"x <= y\n")
                self.assertEqual(source.read_bytes(), b"x <= y\n")
                mutate.Guard(Path(root) / "build").recover()  # as after a killed run
                self.assertEqual(source.read_bytes(), b"x < y\n")
                self.assertFalse((Path(root) / "build" / "mutate-backup").exists())
                guard = mutate.Guard(Path(root) / "build")
                guard.write("a.cpp", b"x < y\n", b"x > y\n")
                guard.restore()
                self.assertEqual(source.read_bytes(), b"x < y\n")
            finally:
                mutate.ROOT = saved


if __name__ == "__main__":
    sys.exit(unittest.main())
