"""Bad input from the user's side: missing, truncated and corrupt data files, hostile
drawings, no sound device, no usable terminal, a tiny terminal. Each gives its message,
and none crashes, hangs or leaves the terminal broken."""
import os
import re
import shutil
import struct
import subprocess
import tempfile
import time
import unittest
from pathlib import Path

from test_terminal import BIN, ENTER, RESTORE, SOURCE_DIR, Session

DATA = Path(SOURCE_DIR) / "data"
NOT_FOUND = "EEEEEEEEEEEK!!!     file not found!!"
ROOT = os.geteuid() == 0
NOBODY = 65534


def copy_data(folder, keep=lambda name: True):
    os.mkdir(os.path.join(folder, "data"))
    for item in sorted(DATA.iterdir()):
        if keep(item.name):
            shutil.copy(item, os.path.join(folder, "data", item.name))


def truncate(path, fraction=0.5):
    data = Path(path).read_bytes()
    Path(path).write_bytes(data[: int(len(data) * fraction)])


def model_with_an_index_out_of_range(path):
    """The first face points past the last vertex. A .bof is "BOF vertices faces 0 0 0",
    a line "i x y z u v" per vertex, then a line "i a b c" per face."""
    lines = Path(path).read_text().splitlines()
    vertices = int(lines[0].split()[1])
    lines[1 + vertices] = "0 %d 1 2" % (vertices + 7)
    Path(path).write_text("\n".join(lines) + "\n")


def tga_larger_than_its_file(path):
    """The header claims four times the rows the pixel data holds."""
    data = bytearray(Path(path).read_bytes())
    height = struct.unpack_from("<H", data, 14)[0]
    struct.pack_into("<H", data, 14, min(height * 4, 65535))
    Path(path).write_bytes(bytes(data))


def big_gml(strokes, token_length):
    """Many small strokes, then a number, an element name and a text each token_length long."""
    stroke = "<stroke><pt><x>0.25</x><y>0.25</y><time>0</time></pt><pt><x>0.5</x><y>0.5</y><time>0.1</time></pt></stroke>"
    name = "a" * token_length
    tail = "<stroke><pt><x>0.%s</x><y>0.5</y><time>0.2</time></pt><%s>%s</%s></stroke>" % (
        "1" * token_length, name, "z" * token_length, name)
    return "<gml><tag><drawing>%s%s</drawing></tag></gml>" % (stroke * strokes, tail)


@unittest.skipUnless(BIN, "KORVEL_BIN is not set")
class BadData(unittest.TestCase):
    """The show on a pty from a folder of broken data: it runs, leaves by Escape
    with status 0 and names every bad file once, after the display closed."""

    def run_show(self, folder, *arguments, seconds=1.0):
        session = Session(*arguments, cwd=folder)
        self.addCleanup(session.close)
        session.wait_for_frame(timeout=60)
        time.sleep(seconds)
        session.type(b"\x1b")
        self.assertEqual(session.wait_for_exit(30), 0)
        self.assertEqual(session.modes(), session.modes_before)
        self.assertEqual(session.output.count(RESTORE), session.output.count(ENTER))
        return session.errors()

    def test_every_data_file_missing_is_named_once(self):
        with tempfile.TemporaryDirectory() as folder:
            copy_data(folder, keep=lambda name: name == "dino.xm")
            errors = self.run_show(folder, seconds=3.0)
        lines = errors.splitlines()
        # intro.gml is the sample drawing for the command line, not an asset.
        expected = sorted(p.name for p in DATA.iterdir() if p.suffix != ".xm" and p.name != "intro.gml")
        for name in expected:
            with self.subTest(name):
                naming = [line for line in lines if re.search(r"data/%s\b" % re.escape(name), line)]
                self.assertTrue(naming, "data/%s is not named in %r" % (name, errors[:2000]))
                self.assertTrue(all("not found" in line.lower() for line in naming), naming)
        with self.subTest("each line names one file"):
            self.assertTrue(all("data/" in line for line in lines), errors)

    def test_truncated_and_corrupt_files_each_give_their_message(self):
        cases = (  # file, how it is broken, the message naming it, how many lines say it (once per file)
            ("rock.bof", lambda p: truncate(p), "EEEEEEEEEEEK!!!     file too short!! (data/rock.bof: ends before", 1),
            ("diplo.baf", lambda p: truncate(p, 0.3), "EEEEEEEEEEEK!!!     file too short!! (data/diplo.baf: ends", 1),
            ("row_model.bof", model_with_an_index_out_of_range,
             "EEEEEEEEEEEK!!!     bad model file!! (data/row_model.bof: face 0 names a vertex beyond 334)", 1),
            ("title.tga", lambda p: truncate(p), "data/title.tga: cannot load TGA picture: truncated pixel data", 1),
            ("greets.tga", tga_larger_than_its_file, "data/greets.tga: cannot load TGA picture: truncated pixel data", 1),
            ("credz.tga", lambda p: Path(p).write_bytes(b""),
             "data/credz.tga: cannot load TGA picture: too short for a TGA header", 1),
            ("dino.xm", lambda p: truncate(p, 0.0002), "korvel: no music: data/dino.xm: ", 1),
        )
        with tempfile.TemporaryDirectory() as folder:
            copy_data(folder)
            for name, damage, _, _ in cases:
                damage(os.path.join(folder, "data", name))
            errors = self.run_show(folder)
        for name, _, message, rows in cases:
            with self.subTest(name):
                self.assertEqual(sum(message in line for line in errors.splitlines()), rows, errors)
        with self.subTest("nothing else"):
            self.assertEqual(len(errors.splitlines()), sum(c[3] for c in cases), errors)

    def test_a_module_that_is_not_a_module(self):
        with tempfile.TemporaryDirectory() as folder:
            copy_data(folder)
            Path(folder, "data", "dino.xm").write_bytes(b"Extended Module: " + bytes(range(256)) * 8)
            errors = self.run_show(folder)
        self.assertRegex(errors, r"^korvel: no music: data/dino\.xm: .+\n$")


@unittest.skipUnless(BIN, "KORVEL_BIN is not set")
class BadDrawings(unittest.TestCase):
    def start(self, drawing, **options):
        session = Session(drawing, **options)
        self.addCleanup(session.close)
        return session

    def test_a_huge_drawing_loads_quickly_and_replays(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "huge.gml")
            Path(path).write_text(big_gml(1000, 100000))
            began = time.monotonic()
            session = self.start(path)
            session.wait_for_frame(timeout=30)
            self.assertLess(time.monotonic() - began, 15, "the reading takes too long")
            time.sleep(0.5)
            session.type(b"\x1b")
            self.assertEqual(session.wait_for_exit(), 0)
            self.assertEqual(session.errors(), "")

    def error_then_any_key(self, path, run_in=SOURCE_DIR, user=None):
        """The drawing's error, then any key leaves the intro for the show; Escape there leaves."""
        session = Session(path, cwd=run_in, user=user)
        self.addCleanup(session.close)
        session.wait(lambda: ENTER in session.output, 30, "the screen")
        time.sleep(0.3)
        session.type(b" ")
        time.sleep(0.5)
        session.type(b"\x1b")
        self.assertEqual(session.wait_for_exit(30), 0)
        self.assertEqual(session.modes(), session.modes_before)
        return session.errors()

    def test_a_drawing_path_that_is_a_directory(self):
        with tempfile.TemporaryDirectory() as folder:
            errors = self.error_then_any_key(folder)
        self.assertIn("ERROR!!! %s NOT FOUND!! (%s: not a regular file)\n" % (folder, folder), errors)

    def test_an_unreadable_drawing(self):
        with tempfile.TemporaryDirectory() as folder:
            os.chmod(folder, 0o755)
            copy_data(folder, keep=lambda name: name == "dino.xm")
            for item in Path(folder).rglob("*"):
                os.chmod(item, 0o755 if item.is_dir() else 0o644)
            path = os.path.join(folder, "secret.gml")
            Path(path).write_text(big_gml(1, 10))
            os.chmod(path, 0)
            # root reads anything: the program then runs as nobody
            errors = self.error_then_any_key(path, run_in=folder, user=NOBODY if ROOT else None)
        self.assertIn("ERROR!!! %s NOT FOUND!! (%s: Permission denied)\n" % (path, path), errors)

    def test_a_drawing_path_that_is_a_pipe_does_not_hang(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "pipe.gml")
            os.mkfifo(path)
            errors = self.error_then_any_key(path)
        self.assertIn("ERROR!!! %s NOT FOUND!! (%s: not a regular file)\n" % (path, path), errors)


@unittest.skipUnless(BIN, "KORVEL_BIN is not set")
class NoUsableTerminal(unittest.TestCase):
    def run_program(self, stdin, stdout, environment):
        return subprocess.run([BIN, "--nosound", "--test-card"], stdin=stdin, stdout=stdout, stderr=subprocess.PIPE,
                              cwd=SOURCE_DIR, env=environment, timeout=20)

    def test_refusals_say_why_with_status_2(self):
        master, slave = os.openpty()
        self.addCleanup(os.close, master)
        self.addCleanup(os.close, slave)
        plain = dict(os.environ, TERM="xterm-256color")
        unset = {k: v for k, v in os.environ.items() if k != "TERM"}
        cases = (
            ("standard output not a terminal", slave, subprocess.PIPE, plain,
             "korvel: standard output is not a terminal\n"),
            ("standard input not a terminal", subprocess.DEVNULL, slave, plain,
             "korvel: standard input is not a terminal\n"),
            ("TERM=dumb", slave, slave, dict(plain, TERM="dumb"),
             'korvel: the terminal is "dumb" (TERM=dumb): it cannot position the cursor\n'),
            ("TERM unset", slave, slave, unset, "korvel: TERM is not set\n"),
        )
        for name, stdin, stdout, environment, message in cases:
            with self.subTest(name):
                result = self.run_program(stdin, stdout, environment)
                self.assertEqual(result.returncode, 2)
                self.assertEqual(result.stderr.decode(), message)
                self.assertFalse(result.stdout, "nothing written to standard output")


@unittest.skipUnless(BIN, "KORVEL_BIN is not set")
class SmallTerminalAndNoSound(unittest.TestCase):
    def test_no_sound_device_is_said_and_the_show_goes_on(self):
        session = Session(sound=True, environment={"SDL_AUDIODRIVER": "no-such-driver"})
        self.addCleanup(session.close)
        session.wait_for_frame(timeout=60)
        time.sleep(0.5)
        session.type(b"\x1b")
        self.assertEqual(session.wait_for_exit(30), 0)
        self.assertRegex(session.errors(), r"^korvel: the music played silently: no sound device \(.*\)\n$")

    def test_a_terminal_of_20_by_10_shows_the_picture_inside_it(self):
        session = Session("--test-card", columns=20, rows=10)
        self.addCleanup(session.close)
        session.wait_for_frame(timeout=30)
        time.sleep(0.3)
        session.type(b"\x1b")
        self.assertEqual(session.wait_for_exit(), 0)
        self.assertEqual(session.modes(), session.modes_before)
        moves = [(int(r), int(c)) for r, c in re.findall(rb"\x1b\[(\d+);(\d+)H", bytes(session.output))]
        self.assertTrue(moves)
        self.assertLessEqual(max(r for r, _ in moves), 10)
        self.assertLessEqual(max(c for _, c in moves), 20)
        self.assertEqual(session.errors(), "")


if __name__ == "__main__":
    import e2e_summary

    e2e_summary.run("test_bad_input")
