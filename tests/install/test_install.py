"""The installed korvel: what `cmake --install` lays out, the manual pages against the
programs' own usage, the bash completion, and the guide to a show of one's own run
command by command in a fresh folder with the installed programs."""
import fcntl
import os
import pty
import re
import select
import shutil
import struct
import subprocess
import sys
import tempfile
import termios
import time
import unittest
import zlib
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "e2e"))
from e2e_summary import run  # noqa: E402

SOURCE = Path(os.environ.get("KORVEL_SOURCE_DIR") or Path(__file__).resolve().parents[2])
BUILD = os.environ.get("KORVEL_BUILD_DIR")
PREFIX = None
PHOTO_COLOUR = (37, 201, 113)


def setUpModule():
    global PREFIX
    if not BUILD:
        return
    PREFIX = Path(tempfile.mkdtemp(prefix="korvel-install-"))
    subprocess.run(["cmake", "--install", BUILD, "--prefix", str(PREFIX)], check=True, stdout=subprocess.DEVNULL)


def tearDownModule():
    if PREFIX:
        shutil.rmtree(PREFIX)


def installed_env():
    env = {k: v for k, v in os.environ.items() if k != "KORVEL_DATA"}
    env["PATH"] = "%s:%s" % (PREFIX / "bin", env.get("PATH", "/usr/bin:/bin"))
    return env


def tune_xm():
    """One channel, one pattern of 64 rows at speed 6 and 125 BPM (7.68 s): a square wave
    on every eighth row. No sync bytes: the guide's script brings them."""
    rows = b"".join(b"\x83\x31\x01" if row % 8 == 0 else b"\x80" for row in range(64))
    header = (b"Extended Module: " + b"tune".ljust(20, b"\0") + b"\x1a" + b"test".ljust(20, b"\0")
              + struct.pack("<HIHHHHHHHH", 0x0104, 276, 1, 0, 1, 1, 1, 1, 6, 125) + bytes(256))
    pattern = struct.pack("<IBHH", 9, 0, 64, len(rows)) + rows
    wave = [40] * 16 + [-40] * 16
    deltas = bytes((wave[i] - (wave[i - 1] if i else 0)) & 0xFF for i in range(len(wave)))
    instrument = (struct.pack("<I", 263) + b"square".ljust(22, b"\0") + struct.pack("<BHI", 0, 1, 40)
                  + bytes(96 + 96 + 14) + struct.pack("<H", 0) + bytes(22))
    sample = struct.pack("<IIIBbBBbB", len(wave), 0, len(wave), 64, 0, 1, 128, 0, 0) + bytes(22)
    return header + pattern + instrument + sample + deltas


def png(width, height, colour):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    raw = (b"\0" + bytes(colour) * width) * height
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def help_options(text):
    return set(re.findall(r"(?<![\w-])--?[a-zA-Z][\w-]*", text))


def page_text(name):
    text = (SOURCE / "docs" / "man" / name).read_text()
    return re.sub(r"\\f[BIRP]", "", text.replace("\\-", "-"))


@unittest.skipUnless(BUILD, "KORVEL_BUILD_DIR is not set")
class Layout(unittest.TestCase):
    def test_installs_the_programs_data_and_pages_and_nothing_of_the_tests(self):
        for path in ("bin/korvel", "bin/korvel-sync", "bin/korvel-render", "bin/korvel-compose",
                     "share/korvel/data/dino.xm", "share/korvel/data/title.tga", "share/korvel/data/trex.baf",
                     "share/korvel/data/tag16.gml", "share/man/man1/korvel.1", "share/man/man1/korvel-sync.1",
                     "share/bash-completion/completions/korvel", "share/doc/korvel/copyright",
                     "share/doc/korvel/README.md", "share/doc/korvel/your-own-show.md"):
            self.assertTrue((PREFIX / path).is_file(), path)
        self.assertEqual(sorted(p.name for p in (PREFIX / "bin").iterdir()),
                         ["korvel", "korvel-compose", "korvel-render", "korvel-sync"])
        self.assertFalse([p for p in PREFIX.rglob("*") if "test" in p.name or "bench" in p.name])

    def test_a_moved_installation_finds_its_own_data_from_anywhere(self):
        moved = Path(tempfile.mkdtemp(prefix="korvel-moved-"))
        try:
            shutil.copytree(PREFIX, moved / "opt", symlinks=True)
            result = subprocess.run([str(moved / "opt/bin/korvel"), "--script"], cwd="/",
                                    capture_output=True, text=True, env=installed_env())
            self.assertEqual(result.returncode, 0, result.stderr)
            self.assertIn("end", result.stdout)
        finally:
            shutil.rmtree(moved)


@unittest.skipUnless(BUILD, "KORVEL_BUILD_DIR is not set")
class ManualPages(unittest.TestCase):
    def test_every_option_of_the_help_is_in_the_page(self):
        usage = subprocess.run([str(PREFIX / "bin/korvel"), "--help"], capture_output=True, text=True).stdout
        page = page_text("korvel.1")
        options = page[page.index(".SH OPTIONS"):]
        for option in sorted(help_options(usage)):
            with self.subTest(option):
                self.assertTrue(re.search(r"(?<![\w-])%s(?![\w-])" % re.escape(option), options), "not in OPTIONS")
        for section in ("NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "FILES", "ENVIRONMENT", "EXIT STATUS",
                        "EXAMPLES", "SEE ALSO"):
            self.assertIn(".SH %s\n" % section, page)
        self.assertIn("seizures", page)

    def test_every_word_of_a_tools_usage_is_in_its_page(self):
        for tool in ("korvel-sync", "korvel-render", "korvel-compose"):
            usage = subprocess.run([str(PREFIX / "bin" / tool)], capture_output=True, text=True).stderr
            page = page_text(tool + ".1")
            words = help_options(usage) | set(re.findall(r"%s (\w+) " % tool, usage))
            for word in sorted(words):
                with self.subTest(tool=tool, word=word):
                    self.assertTrue(re.search(r"(?<![\w-])%s(?![\w-])" % re.escape(word), page), "not in the page")

    def test_pages_format_without_warnings(self):
        for page in sorted((SOURCE / "docs" / "man").glob("*.1")):
            result = subprocess.run(["groff", "-man", "-ww", "-z", str(page)], capture_output=True, text=True)
            self.assertEqual((result.returncode, result.stderr), (0, ""), page.name)


@unittest.skipUnless(BUILD, "KORVEL_BUILD_DIR is not set")
class Completion(unittest.TestCase):
    def complete(self, *words):
        script = 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); ' \
                 'case $1 in korvel-sync) _korvel_sync ;; *) _korvel ;; esac; printf "%s\\n" "${COMPREPLY[@]}"'
        completion = PREFIX / "share/bash-completion/completions/korvel"
        result = subprocess.run(["bash", "-c", script, "-", str(completion), *words], capture_output=True,
                                text=True, env=installed_env(), cwd=PREFIX)
        return set(result.stdout.split())

    def test_completes_options_values_and_subcommands(self):
        usage = subprocess.run([str(PREFIX / "bin/korvel"), "--help"], capture_output=True, text=True).stdout
        cases = (
            (("korvel", "-"), help_options(usage)),
            (("korvel", "--con"), {"--contact-sheet"}),
            (("korvel", "--color", ""), {"16", "truecolor", "none"}),
            (("korvel", "--data", "sh"), {"share"}),
            (("korvel-sync", ""), {"compile", "list"}),
            (("korvel-sync", "compile", "a.xm", "b", "c.xm", "--s"), {"--storyboard"}),
        )
        for words, wanted in cases:
            with self.subTest(words=words):
                self.assertEqual(self.complete(*words), wanted)


def guide_commands():
    text = (SOURCE / "docs" / "your-own-show.md").read_text()
    return re.findall(r"^```sh\n(.*?)^```$", text, re.S | re.M)


def run_on_a_pty(command, cwd, env, timeout):
    """Runs the command in bash on an 80 x 50 pseudo-terminal; returns its status and output."""
    pid, master = pty.fork()
    if pid == 0:
        os.chdir(cwd)
        os.execvpe("bash", ["bash", "-e", "-c", command], env)
    fcntl.ioctl(master, termios.TIOCSWINSZ, struct.pack("HHHH", 50, 80, 0, 0))
    output = b""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        ready, _, _ = select.select([master], [], [], 1)
        if ready:
            try:
                chunk = os.read(master, 65536)
            except OSError:
                break
            if not chunk:
                break
            output += chunk
    else:
        os.kill(pid, 9)
    _, status = os.waitpid(pid, 0)
    os.close(master)
    return os.waitstatus_to_exitcode(status), output


@unittest.skipUnless(BUILD, "KORVEL_BUILD_DIR is not set")
class YourOwnShow(unittest.TestCase):
    def test_the_guides_commands_make_a_show_with_our_picture(self):
        commands = guide_commands()
        self.assertGreaterEqual(len(commands), 4)
        with tempfile.TemporaryDirectory() as folder:
            work = Path(folder)
            (work / "tune.xm").write_bytes(tune_xm())
            (work / "photo.png").write_bytes(png(320, 200, PHOTO_COLOUR))
            env = dict(installed_env(), TERM="xterm-256color")
            status, output = run_on_a_pty("\n".join(commands), work, env, timeout=180)
            text = output.decode("utf-8", "replace")
            self.assertEqual(status, 0, text[-3000:])
            with self.subTest("the new script is listed"):
                listing = text[:text.find("\x1b")]
                for line in ("0   01   scene 1 (title tunnel)", "16   F0   slides scene, slide 0",
                             "48   FF   end of the show"):
                    self.assertIn(line, listing)
            with self.subTest("the show starts in the terminal"):
                self.assertIn(b"\x1b[?1049h", output)
            with self.subTest("the canvas shows our picture"):
                pixels = subprocess.run(["ffmpeg", "-loglevel", "error", "-i", str(work / "slides.png"), "-f",
                                         "rawvideo", "-pix_fmt", "rgb24", "-"], capture_output=True).stdout
                middle = (200 * 640 + 320) * 3
                for got, wanted in zip(pixels[middle:middle + 3], PHOTO_COLOUR):
                    self.assertLessEqual(abs(got - wanted), 2, pixels[middle:middle + 3])
            with self.subTest("the recording differs from one with our own slides"):
                ours = work / "ours"
                shutil.copytree(work / "mydir", ours)
                shutil.copy(PREFIX / "share/korvel/data/slides.tga", ours / "slides.tga")
                subprocess.run(["korvel", "--data", str(ours), "--record", "ours.cast"], cwd=work, env=env,
                               check=True)
                self.assertNotEqual((work / "show.cast").read_bytes(), (work / "ours.cast").read_bytes())


if __name__ == "__main__":
    run("test_install")
