"""The program on a pseudo-terminal: frames, leaving by Escape and signals,
Ctrl-Z, and the terminal's state afterwards; refusals without a terminal."""
import fcntl
import os
import signal
import struct
import subprocess
import sys
import tempfile
import termios
import threading
import time
import unittest
from pathlib import Path

from pty_output import collect_output

BIN = os.environ.get("KORVEL_BIN")
SOURCE_DIR = os.environ.get("KORVEL_SOURCE_DIR") or str(Path(__file__).resolve().parents[2])

RESTORE = b"\x18\x1b\\\x1b[?2026l\x1b[0m\x1b[?7h\x1b[?25h\x1b[?1049l\x1b[23;0t"
ENTER = b"\x1b[22;0t\x1b[?1049h\x1b[?25l\x1b[?7l\x1b[0m\x1b[H\x1b[2J"
FRAME_END = b"\x1b[?2026l"

# Stands in for a job-control shell: it leads the pty's session and runs the
# program as the foreground job in a process group of its own, so that the
# terminal's Ctrl-Z and Ctrl-C reach the program alone and a stop is real.
# It reports "pid N", "stopped", "continued" and "exit STATUS" on a pipe, and
# runs the program as the user it is given ("-": as itself).
SESSION_LEADER = r"""
import fcntl, os, signal, sys, termios
report = os.fdopen(int(sys.argv[1]), "w", buffering=1)
os.setsid()
fcntl.ioctl(0, termios.TIOCSCTTY, 0)
pid = os.fork()
if pid == 0:
    os.setpgid(0, 0)
    signal.signal(signal.SIGTTOU, signal.SIG_IGN)
    os.tcsetpgrp(0, os.getpid())
    # Python ignores these; a shell's jobs start with every signal at its default.
    for sig in (signal.SIGTTOU, signal.SIGPIPE, signal.SIGXFSZ):
        signal.signal(sig, signal.SIG_DFL)
    if sys.argv[2] != "-":
        os.setgroups([])
        os.setgid(int(sys.argv[2]))
        os.setuid(int(sys.argv[2]))
    os.execv(sys.argv[3], sys.argv[3:])
try:
    os.setpgid(pid, pid)
except OSError:
    pass
report.write("pid %d\n" % pid)
# On a hang-up the kernel tells the session leader, and a shell passes it on to its jobs.
signal.signal(signal.SIGHUP, lambda *_: os.killpg(pid, signal.SIGHUP))
while True:
    _, status = os.waitpid(pid, os.WUNTRACED | os.WCONTINUED)
    if os.WIFSTOPPED(status):
        report.write("stopped\n")
    elif os.WIFCONTINUED(status):
        report.write("continued\n")
    else:
        report.write("exit %d\n" % os.waitstatus_to_exitcode(status))
        break
"""


def set_size(fd, columns, rows):
    fcntl.ioctl(fd, termios.TIOCSWINSZ, struct.pack("HHHH", rows, columns, 0, 0))


class Session:
    """The program running on a fresh pty, 80 x 50 unless asked otherwise."""

    def __init__(self, *arguments, cwd=SOURCE_DIR, columns=80, rows=50, sound=False, environment=None, user=None):
        self.master, self.slave = os.openpty()
        set_size(self.slave, columns, rows)
        self.modes_before = termios.tcgetattr(self.slave)
        self.output = bytearray()
        self.reading = threading.Event()  # cleared: the terminal stops reading
        self.reading.set()
        self.events = []
        self.lock = threading.Condition()
        report_read, report_write = os.pipe()
        environment = dict(os.environ, TERM="xterm-256color", LANG="C.UTF-8", **(environment or {}))
        sound_option = [] if sound else ["--nosound"]
        self.leader = subprocess.Popen(
            [sys.executable, "-c", SESSION_LEADER, str(report_write), "-" if user is None else str(user), BIN,
             *sound_option, *arguments],
            stdin=self.slave, stdout=self.slave, stderr=subprocess.PIPE, pass_fds=(report_write,),
            cwd=cwd, env=environment)
        os.close(report_write)
        self.report = os.fdopen(report_read, "r")
        self.output_reader = threading.Thread(target=collect_output,
                                              args=(self.master, self.output, self.lock, self.reading.wait),
                                              daemon=True)
        self.output_reader.start()
        self.event_reader = threading.Thread(target=self._read_events, daemon=True)
        self.event_reader.start()
        self.pid = int(self.wait_for_event("pid ", 10).split()[1])

    def _read_events(self):
        for line in self.report:
            with self.lock:
                self.events.append(line.strip())
                self.lock.notify_all()

    def wait(self, predicate, timeout, what):
        with self.lock:
            if not self.lock.wait_for(predicate, timeout):
                raise AssertionError("timed out waiting for %s; output ends %r" % (what, bytes(self.output[-200:])))

    def wait_for_event(self, prefix, timeout):
        found = []

        def seen():
            found[:] = [e for e in self.events if e.startswith(prefix)]
            return bool(found)

        self.wait(seen, timeout, repr(prefix))
        return found[-1]

    def wait_for_frame(self, after=0, timeout=60):
        """Entering the screen, then one whole frame, both at or after `after`."""

        def framed():
            entered = self.output.find(ENTER, after)
            return entered >= 0 and self.output.find(FRAME_END, entered) >= 0

        self.wait(framed, timeout, "a frame")

    def wait_for_exit(self, timeout=15):
        status = int(self.wait_for_event("exit ", timeout).split()[1])
        self.leader.wait(timeout)
        # The output may still be on its way through the pty.
        self.wait(lambda: self.output.endswith(RESTORE), 5, "the restore")
        return status

    def modes(self):
        return termios.tcgetattr(self.slave)

    def errors(self):
        return self.leader.stderr.read().decode(errors="replace")

    def type(self, data):
        os.write(self.master, data)

    def close(self):
        if self.leader.poll() is None:
            try:
                os.killpg(self.pid, signal.SIGKILL)
            except (OSError, AttributeError):
                pass
            self.leader.kill()
            self.leader.wait(5)
        self.leader.stderr.close()
        self.event_reader.join(5)
        self.report.close()
        # The slave first: the output reader then sees the end and stops before
        # the master's descriptor number can be handed to the next session.
        os.close(self.slave)
        self.reading.set()
        self.output_reader.join(5)
        os.close(self.master)


@unittest.skipUnless(BIN, "KORVEL_BIN is not set")
class TerminalSessions(unittest.TestCase):
    def start(self, *arguments, cwd=SOURCE_DIR):
        # The test card needs no data, so the terminal's manners are tested without any.
        if cwd == SOURCE_DIR and not arguments:
            arguments = ("--test-card",)
        session = Session(*arguments, cwd=cwd)
        self.addCleanup(session.close)
        session.wait_for_frame()
        return session

    def assert_left_cleanly(self, session, status=0):
        self.assertEqual(session.wait_for_exit(), status)
        self.assertTrue(session.output.endswith(RESTORE), "the restore comes last")
        self.assertEqual(session.output.count(RESTORE), session.output.count(ENTER))
        self.assertEqual(session.modes(), session.modes_before)

    def test_escape_leaves_and_restores(self):
        session = self.start()
        self.assertTrue(session.output.startswith(ENTER))
        self.assertEqual(session.output.count(b"\x1b[22;0t"), 1, "the title is pushed once")
        self.assertIn(b"\x1b]2;KORVEL - alt+enter=fullscreen\x07", session.output)
        session.type(b"\x1b")
        self.assert_left_cleanly(session)

    def test_unplayable_music_is_reported_after_the_display_closes(self):
        with tempfile.TemporaryDirectory() as folder:
            os.mkdir(os.path.join(folder, "data"))
            with open(os.path.join(folder, "data", "dino.xm"), "wb") as module:
                module.write(b"not a module at all")
            session = self.start(cwd=folder)
            session.type(b"\x1b")
            self.assert_left_cleanly(session)
            errors = session.errors()
        lines = errors.splitlines()
        self.assertEqual(sum("data/dino.xm" in line for line in lines), 1, errors)
        self.assertIn("data/rock.bof", errors, "missing catalog files are reported too")
        self.assertTrue(all("data/" in line for line in lines), "one line per missing file, with its path")
        self.assertNotIn(b"dino.xm", bytes(session.output), "never drawn over by the picture")

    def test_block_look_in_palette_or_truecolor_and_cells_with_sixteen_colours(self):
        upper_half = "\u2580".encode()
        for colours, code in (("256", b"48;5;"), ("truecolor", b"48;2;")):
            session = self.start("--test-card", "--look", "blocks", "--color", colours)
            self.assertIn(upper_half, session.output)
            self.assertIn(code, session.output)
            session.type(b"\x1b")
            self.assert_left_cleanly(session)
            self.assertEqual(session.errors(), "")
        session = self.start("--test-card", "--look", "blocks", "--color", "16")
        self.assertNotIn(upper_half, session.output)
        session.type(b"\x1b")
        self.assert_left_cleanly(session)
        errors = session.errors()
        self.assertEqual(errors.count("the cells look was shown instead"), 1, errors)
        self.assertNotIn(b"cells look", bytes(session.output), "said after closing, never drawn over")

    def test_shutdown_signals_leave_cleanly_and_end_by_the_signal(self):
        for name, sig, send in (("SIGTERM", signal.SIGTERM, lambda s: os.kill(s.pid, signal.SIGTERM)),
                                ("SIGHUP", signal.SIGHUP, lambda s: os.kill(s.pid, signal.SIGHUP)),
                                ("Ctrl-C", signal.SIGINT, lambda s: s.type(b"\x03"))):
            with self.subTest(name):
                session = self.start()
                send(session)
                self.assert_left_cleanly(session, -sig)

    def test_signals_that_end_the_process_restore_the_terminal_first(self):
        for sig in (signal.SIGUSR1, signal.SIGALRM, signal.SIGXCPU):
            with self.subTest(sig.name):
                session = self.start()
                os.kill(session.pid, sig)
                self.assert_left_cleanly(session, -sig)

    def test_a_terminal_that_stopped_reading_still_lets_the_program_go(self):
        for name, leave, expected in (("Escape", lambda s: s.type(b"\x1b"), 0),
                                      ("SIGTERM", lambda s: os.kill(s.pid, signal.SIGTERM), -signal.SIGTERM)):
            with self.subTest(name):
                session = self.start("--test-card", "--fps", "0")
                session.reading.clear()  # nobody reads: the pty fills up
                time.sleep(1.0)
                asked = time.monotonic()
                leave(session)
                status = int(session.wait_for_event("exit ", 10).split()[1])
                self.assertLess(time.monotonic() - asked, 1.0, "the stalled output held the program")
                self.assertEqual(status, expected)
                # The reader that comes back finds its terminal as it was.
                session.reading.set()
                session.wait(lambda: session.output.endswith(RESTORE), 5, "the restore")
                session.leader.wait(5)
                self.assertEqual(session.modes(), session.modes_before)

    def test_arrow_key_does_not_leave(self):
        session = self.start()
        session.type(b"\x1b[A")
        time.sleep(0.5)
        self.assertFalse([e for e in session.events if e.startswith("exit")], "still running after an arrow")
        session.type(b"\x1b")
        self.assert_left_cleanly(session)

    def test_ctrl_z_suspends_restored_and_continue_redraws(self):
        session = self.start()
        session.type(b"\x1a")
        session.wait_for_event("stopped", 10)
        session.wait(lambda: session.output.endswith(RESTORE), 5, "the restore before the stop")
        self.assertEqual(session.modes(), session.modes_before, "the shell gets its modes back")
        stopped_at = len(session.output)
        os.kill(session.pid, signal.SIGCONT)
        session.wait_for_frame(after=stopped_at, timeout=10)
        self.assertNotEqual(session.modes(), session.modes_before, "raw again")
        session.type(b"\x1b")
        self.assert_left_cleanly(session)


@unittest.skipUnless(BIN, "KORVEL_BIN is not set")
class Refusals(unittest.TestCase):
    def run_program(self, *arguments, stdin=subprocess.DEVNULL):
        environment = dict(os.environ, TERM="xterm-256color")
        return subprocess.run([BIN, "--nosound", *arguments], stdin=stdin, stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, cwd=SOURCE_DIR, env=environment, timeout=20)

    def test_output_not_a_terminal_exits_2_with_one_line(self):
        master, slave = os.openpty()
        try:
            result = self.run_program(stdin=slave)
        finally:
            os.close(master)
            os.close(slave)
        self.assertEqual(result.returncode, 2)
        self.assertEqual(result.stdout, b"")
        self.assertEqual(result.stderr.count(b"\n"), 1, result.stderr)

    def test_help_and_version_exit_0(self):
        for option in ("--help", "--version", "-h", "-V"):
            with self.subTest(option):
                result = self.run_program(option)
                self.assertEqual(result.returncode, 0)
                self.assertNotEqual(result.stdout, b"")

    def test_unknown_option_exits_2(self):
        result = self.run_program("--no-such-option")
        self.assertEqual(result.returncode, 2)
        self.assertEqual(result.stdout, b"")
        self.assertNotEqual(result.stderr, b"")

    def test_missing_data_is_said_before_the_terminal_is_touched(self):
        master, slave = os.openpty()
        set_size(slave, 80, 50)
        try:
            with tempfile.TemporaryDirectory() as empty:
                result = subprocess.run([BIN, "--nosound"], stdin=slave, stdout=slave, stderr=subprocess.PIPE,
                                        cwd=empty, env=dict(os.environ, TERM="xterm-256color"), timeout=20)
            os.set_blocking(master, False)
            try:
                shown = os.read(master, 65536)
            except BlockingIOError:
                shown = b""
        finally:
            os.close(master)
            os.close(slave)
        self.assertEqual(result.returncode, 1)
        self.assertIn(b"data/dino.xm", result.stderr)
        self.assertEqual(result.stderr.count(b"\n"), 1, result.stderr)
        self.assertEqual(shown, b"", "the terminal was not touched")


if __name__ == "__main__":
    unittest.main()
