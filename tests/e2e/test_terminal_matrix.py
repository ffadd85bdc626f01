"""The rest of the ways a run ends or is disturbed: Ctrl-Z and fg under a real shell,
resizes, a hang-up, SIGQUIT, the other terminating signals, crashes. After each the
main screen and the cursor are back, the modes are those of before, and the exit
status or signal is the expected one. Run directly, it closes with "N passed, N failed"
over these and the sessions of test_terminal."""
import fcntl
import os
import re
import signal
import subprocess
import termios
import threading
import time
import unittest

from pty_output import collect_output
from test_terminal import BIN, ENTER, FRAME_END, RESTORE, SOURCE_DIR, Session, set_size

CURSOR_MOVE = re.compile(rb"\x1b\[(\d+);(\d+)H")
CLEAR = b"\x1b[2J"


@unittest.skipUnless(BIN, "KORVEL_BIN is not set")
class EndingsAndDisturbances(unittest.TestCase):
    def start(self, *arguments):
        session = Session(*(arguments or ("--test-card",)))
        self.addCleanup(session.close)
        session.wait_for_frame()
        return session

    def assert_left_cleanly(self, session, status):
        self.assertEqual(session.wait_for_exit(), status)
        self.assertTrue(session.output.endswith(RESTORE), "the restore comes last")
        self.assertEqual(session.output.count(RESTORE), session.output.count(ENTER))
        self.assertEqual(session.modes(), session.modes_before)

    def test_quit_and_the_other_terminating_signals(self):
        for sig in (signal.SIGQUIT, signal.SIGUSR2, signal.SIGVTALRM, signal.SIGPROF, signal.SIGXFSZ,
                    signal.SIGRTMIN, signal.SIGRTMAX):
            with self.subTest(signal.Signals(sig).name):
                session = self.start()
                os.kill(session.pid, sig)
                self.assert_left_cleanly(session, -sig)

    def test_escape_after_a_long_paste_leaves_at_once(self):
        # The test card runs 25 frames a second: one key a frame would take 40 s.
        session = self.start()
        session.type(b"x" * 1000 + b"\x1b")
        asked = time.monotonic()
        self.assert_left_cleanly(session, 0)
        self.assertLess(time.monotonic() - asked, 2.0)

    def test_sigpipe_alone_does_not_end_the_run(self):
        # A terminal that went away shows as a failed write; a stray SIGPIPE is no reason to leave.
        session = self.start()
        os.kill(session.pid, signal.SIGPIPE)
        time.sleep(0.5)
        self.assertFalse([e for e in session.events if e.startswith("exit")])
        session.type(b"\x1b")
        self.assert_left_cleanly(session, 0)

    def test_crashes_restore_the_terminal_and_end_by_their_signal(self):
        for how, sig in (("segv", signal.SIGSEGV), ("abort", signal.SIGABRT)):
            with self.subTest(how):
                session = Session("--test-crash=" + how)
                self.addCleanup(session.close)
                self.assert_left_cleanly(session, -sig)
                self.assertIn(ENTER, session.output, "it crashed after showing a frame")
                self.assertIn(FRAME_END, session.output)

    def test_resizes_redraw_within_the_new_size(self):
        for columns, rows in ((40, 20), (200, 70), (20, 10), (120, 40)):
            with self.subTest("%dx%d" % (columns, rows)):
                session = self.start("--test-card")
                before = len(session.output)
                set_size(session.master, columns, rows)  # the kernel tells the foreground job
                session.wait(lambda: session.output.find(CLEAR, before) >= 0 and
                             session.output.find(FRAME_END, session.output.find(CLEAR, before)) >= 0,
                             10, "a redraw after the resize")
                redraw = bytes(session.output[session.output.find(CLEAR, before):])
                moves = [(int(r), int(c)) for r, c in CURSOR_MOVE.findall(redraw)]
                self.assertTrue(moves)
                self.assertLessEqual(max(r for r, _ in moves), rows)
                self.assertLessEqual(max(c for _, c in moves), columns)
                session.type(b"\x1b")
                self.assert_left_cleanly(session, 0)

    def test_a_hang_up_ends_the_run_by_sighup(self):
        session = self.start("--test-card", "--fps", "0")
        os.close(session.master)  # the terminal window is closed
        session.master = os.open("/dev/null", os.O_RDONLY)  # for close() to close
        status = int(session.wait_for_event("exit ", 10).split()[1])
        self.assertIn(status, (-signal.SIGHUP, 1), "ended by the hang-up, or by the lost terminal")


# A job-control shell on the pty runs the program as its foreground job.
PROMPT = b"PROMPT> "
MODES = re.compile(rb"modes<([0-9a-f:]+)>")


class Shell:
    def __init__(self):
        self.master, slave = os.openpty()
        set_size(slave, 80, 50)
        environment = dict(os.environ, TERM="xterm-256color", LANG="C.UTF-8", PS1=PROMPT.decode())

        def controlling_terminal():
            os.setsid()
            fcntl.ioctl(0, termios.TIOCSCTTY, 0)

        self.process = subprocess.Popen(["bash", "--norc", "--noprofile", "-i"], stdin=slave, stdout=slave,
                                        stderr=slave, cwd=SOURCE_DIR, env=environment,
                                        preexec_fn=controlling_terminal)
        os.close(slave)
        self.output = bytearray()
        self.lock = threading.Condition()
        self.reader = threading.Thread(target=collect_output, args=(self.master, self.output, self.lock), daemon=True)
        self.reader.start()

    def wait_for(self, predicate, timeout, what):
        with self.lock:
            if not self.lock.wait_for(predicate, timeout):
                raise AssertionError("timed out waiting for %s; output ends %r" % (what, bytes(self.output[-300:])))

    def wait_for_text(self, text, after, timeout=20):
        self.wait_for(lambda: self.output.find(text, after) >= 0, timeout, repr(text))
        return self.output.find(text, after)

    def type(self, data):
        os.write(self.master, data)

    def close(self):
        self.process.kill()
        self.process.wait(5)
        os.close(self.master)
        self.reader.join(5)


@unittest.skipUnless(BIN, "KORVEL_BIN is not set")
class UnderAShell(unittest.TestCase):
    def test_ctrl_z_then_fg(self):
        shell = Shell()
        self.addCleanup(shell.close)
        shell.wait_for_text(PROMPT, 0)
        shell.type(b'echo "modes<$(stty -g)>"\n')
        shell.wait_for(lambda: MODES.search(bytes(shell.output)), 10, "the modes before")
        start = len(shell.output)
        # Alone on its line: a stop would end the rest of a list.
        shell.type(b"%s --nosound --test-card\n" % BIN.encode())
        entered = shell.wait_for_text(ENTER, start)
        shell.wait_for_text(FRAME_END, entered)
        shell.type(b"\x1a")
        restored = shell.wait_for_text(RESTORE, entered)
        stopped = shell.wait_for_text(b"Stopped", restored)
        self.assertLess(restored, stopped, "the screen is the shell's before it says so")
        shell.wait_for_text(PROMPT, stopped)
        resumed = len(shell.output)
        shell.type(b"fg\n")
        entered = shell.wait_for_text(ENTER, resumed)
        shell.wait_for_text(FRAME_END, entered)
        time.sleep(0.3)
        shell.type(b"\x1b")
        shell.wait_for_text(PROMPT, shell.wait_for_text(RESTORE, entered))
        shell.type(b'echo "status=$?"; echo "modes<$(stty -g)>"\n')
        shell.wait_for_text(b"status=0", entered)
        shell.wait_for(lambda: len(MODES.findall(bytes(shell.output))) >= 2, 10, "the modes after")
        before, after = MODES.findall(bytes(shell.output))[:2]
        self.assertEqual(before, after, "the shell's modes as they were")
        shown = bytes(shell.output[start:])
        self.assertEqual(shown.count(ENTER), 2)
        self.assertEqual(shown.count(RESTORE), 2)


if __name__ == "__main__":
    import e2e_summary

    e2e_summary.run_many(["test_terminal", "test_terminal_matrix"])
