"""korvel.exe under wine, on the Windows console: the cells it shows, read back
with ReadConsoleOutputA after a frame of the show, equal the native headless
grid of the same frame, and closing gives back the screen found at start."""
import os
import pty
import select
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "e2e"))
from pty_output import read_chunk  # noqa: E402

EXE = os.environ.get("KORVEL_EXE")
NATIVE = os.environ.get("KORVEL_NATIVE_BIN")
SOURCE_DIR = os.environ.get("KORVEL_SOURCE_DIR") or str(Path(__file__).resolve().parents[2])
WINE_TIMEOUT_S = 180

# Times of the show whose frames differ in kind: titles, models, pictures.
PROBE_TIMES = ["3.0", "24.5", "47.25"]


class ConsoleRun:
    """argv with a pseudo-terminal as its console (wine's console needs one)."""

    def __init__(self, argv):
        self.master, slave = pty.openpty()
        env = dict(os.environ, WINEDEBUG="-all")
        self.process = subprocess.Popen(argv, stdin=slave, stdout=slave, stderr=slave, cwd=SOURCE_DIR, env=env,
                                        start_new_session=True)
        os.close(slave)
        self.output = bytearray()

    def read_until(self, done, seconds):
        """Collects output until done(output) holds, the program ends or time runs out."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline and not done(self.output):
            ready, _, _ = select.select([self.master], [], [], 0.2)
            if ready:
                chunk = read_chunk(self.master)
                if not chunk:
                    return
                self.output += chunk
            elif self.process.poll() is not None:
                return

    def finish(self, seconds=WINE_TIMEOUT_S):
        """The exit status, or None when it had to be killed."""
        deadline = time.monotonic() + seconds
        self.read_until(lambda _: False, seconds)
        # The console's end of the terminal closes before wine's process has gone.
        try:
            status = self.process.wait(timeout=max(1.0, deadline - time.monotonic()))
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait(timeout=30)
            status = None
        os.close(self.master)
        return status


def run_on_console(argv):
    run = ConsoleRun(argv)
    status = run.finish()
    return status, bytes(run.output)


def read_cells(path):
    data = Path(path).read_bytes()
    header, _, cells = data.partition(b"\n")
    return header, cells


def describe_difference(expected, actual, columns=80):
    cells = len(expected) // 2
    wrong = [i for i in range(cells) if expected[i] != actual[i] or expected[cells + i] != actual[cells + i]]
    first = wrong[0]
    return "%d of %d cells differ; first at column %d, row %d: expected %02x/%02x, got %02x/%02x" % (
        len(wrong), cells, first % columns, first // columns, expected[first], expected[cells + first],
        actual[first], actual[cells + first])


@unittest.skipUnless(EXE and NATIVE, "KORVEL_EXE and KORVEL_NATIVE_BIN name the two programs")
class ConsoleProbe(unittest.TestCase):
    def probe(self, seconds, directory):
        native = os.path.join(directory, "native-%s.cells" % seconds)
        windows = os.path.join(directory, "windows-%s.cells" % seconds)
        done = subprocess.run([NATIVE, "--fps", "30", "--console-probe", seconds, native], cwd=SOURCE_DIR,
                              stdin=subprocess.DEVNULL, capture_output=True, timeout=WINE_TIMEOUT_S)
        self.assertEqual(done.returncode, 0, done.stderr)
        status, output = run_on_console(["wine", EXE, "--fps", "30", "--console-probe", seconds, windows])
        self.assertEqual(status, 0, output[-2000:])
        return read_cells(native), read_cells(windows)

    def test_shown_cells_equal_the_native_grid_and_the_console_comes_back(self):
        with tempfile.TemporaryDirectory() as directory:
            for seconds in PROBE_TIMES:
                with self.subTest(seconds=seconds):
                    (native_header, native), (windows_header, windows) = self.probe(seconds, directory)
                    self.assertEqual(windows_header, b"korvel cells 80 50")
                    self.assertEqual(native_header, windows_header)
                    self.assertEqual(len(windows), 8000)
                    # A black screen would pass the comparison for the wrong reason.
                    self.assertGreater(len(set(native[:4000])), 2)
                    if native != windows:
                        self.fail(describe_difference(native, windows))


if __name__ == "__main__":
    unittest.main()
