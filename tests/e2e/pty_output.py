"""Reading what a program writes to a pseudo-terminal, for the end-to-end tests."""
import os


def read_chunk(master):
    """The next output, or b"" once the terminal's other end has closed."""
    try:
        return os.read(master, 65536)
    except OSError:
        return b""


def collect_output(master, output, lock, before_each_read=None):
    """Appends everything read to the bytearray output under the condition lock,
    waking its waiters, until the other end closes."""
    while True:
        if before_each_read:
            before_each_read()
        chunk = read_chunk(master)
        if not chunk:
            return
        with lock:
            output += chunk
            lock.notify_all()
