"""The house rules that the compiler does not check: purpose comments, floors, the platform boundary."""
import os
import re
import shutil
import subprocess
import unittest

ROOT = os.environ.get("KORVEL_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))
SOURCE_SUFFIXES = (".cpp", ".h")
# Operating-system interfaces: only src/platform may include them.
SYSTEM_HEADERS = re.compile(
    r"^(unistd|fcntl|termios|pthread|signal|poll|dirent|langinfo|dlfcn|pwd|spawn|sched|semaphore|windows|mmsystem|io)\.h$"
    r"|^(sys|arpa|netinet|SDL2|alsa)/")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def floors():
    """Each floor of src/ and the folders it may include, as the build declares them."""
    text = read("CMakeLists.txt")
    block = re.search(r"set\(KORVEL_FLOORS(.*?)\)", text, re.S).group(1)
    seen = {}
    for line in re.findall(r'"([^"]+)"', block):
        names = line.split()
        seen[names[0]] = set(names)
    return seen


def source_files(folder):
    for base, _, names in os.walk(os.path.join(ROOT, folder)):
        for name in sorted(names):
            if name.endswith(SOURCE_SUFFIXES):
                yield os.path.relpath(os.path.join(base, name), ROOT)


def read(path):
    with open(os.path.join(ROOT, path), encoding="utf-8") as f:
        return f.read()


class HouseRules(unittest.TestCase):
    def test_every_source_file_starts_with_a_purpose_comment(self):
        for folder in ("src", "tests", "bench", "tools"):
            for path in source_files(folder):
                with self.subTest(path=path):
                    self.assertTrue(read(path).startswith("//"), "first line is not a comment")

    def test_includes_point_only_down_the_floors(self):
        allowed = floors()
        for path in source_files("src"):
            floor = path.split(os.sep)[1]
            self.assertIn(floor, allowed, f"{path}: its folder is not a floor of the build")
            for kind, header in INCLUDE.findall(read(path)):
                if kind != '"' or "/" not in header:
                    continue
                with self.subTest(path=path, header=header):
                    self.assertIn(header.split("/")[0], allowed[floor])

    def test_system_interfaces_stay_in_the_platform(self):
        for path in source_files("src"):
            if path.split(os.sep)[1] == "platform":
                continue
            for _, header in INCLUDE.findall(read(path)):
                with self.subTest(path=path, header=header):
                    self.assertIsNone(SYSTEM_HEADERS.search(header))

    def test_only_the_platform_asks_which_system_it_is_built_for(self):
        system_test = re.compile(r"^\s*#\s*(if|ifdef|ifndef|elif)\b.*\b(_WIN32|_WIN64|__MINGW\w*|__CYGWIN__)", re.M)
        for folder in ("src", "tests", "tools"):
            for path in source_files(folder):
                if path.startswith(os.path.join("src", "platform")):
                    continue
                with self.subTest(path=path):
                    self.assertIsNone(system_test.search(read(path)))

    def test_only_the_core_states_the_canvas_size(self):
        # A constant set to 160 or 100, their product, or a point scaled by them.
        restated = re.compile(r"=\s*(160|100)\s*;|\b160\s*\*\s*100\b|\b(160|100)\.0f?\s*\*|\*\s*(160|100)\.0f?\b")
        comment = re.compile(r"//.*")
        for path in source_files("src"):
            if path.split(os.sep)[1] == "core":
                continue
            for number, line in enumerate(read(path).splitlines(), 1):
                with self.subTest(path=path, line=number):
                    self.assertIsNone(restated.search(comment.sub("", line)), "use CANVAS_WIDTH / CANVAS_HEIGHT")

    # InsertBraces needs clang-format 15; an older one refuses the whole style file.
    @unittest.skipUnless(shutil.which("clang-format-15"), "clang-format-15 is not installed")
    def test_the_tree_follows_the_format(self):
        paths = [p for folder in ("src", "tests", "bench", "tools") for p in source_files(folder)]
        run = subprocess.run(["clang-format-15", "--dry-run", "-Werror", *paths], cwd=ROOT, capture_output=True, text=True)
        self.assertEqual(run.returncode, 0, run.stderr[:2000])


if __name__ == "__main__":
    unittest.main()
