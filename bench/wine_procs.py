"""The Linux side of the programs the benchmarks run under Wine: which
processes belong to this prefix (other prefixes may run the same programs on
a shared machine), their processor time and their private memory."""
import os
from pathlib import Path

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def prefix_processes():
    """(pid, argv) of the processes started in WINEPREFIX, not this one."""
    prefix = b"WINEPREFIX=" + os.environ["WINEPREFIX"].encode()
    found = []
    for entry in Path("/proc").iterdir():
        if not entry.name.isdigit() or int(entry.name) == os.getpid():
            continue
        try:
            if prefix not in (entry / "environ").read_bytes().split(b"\0"):
                continue
            argv = (entry / "cmdline").read_bytes().split(b"\0")
        except OSError:
            continue
        found.append((int(entry.name), [a.decode("utf-8", "replace") for a in argv if a]))
    return found


def wine_process(image):
    """The pid of the process that runs the Windows program `image` (e.g.
    Vantor.exe) in this prefix, or None. Wine gives such a process the
    program's Windows path as its first argument."""
    for pid, argv in prefix_processes():
        if argv and argv[0].replace("/", "\\").lower().endswith("\\" + image.lower()):
            return pid
    return None


def wineserver_pid():
    """The wineserver of this prefix: it works in a folder named after the
    prefix's device and inode."""
    st = os.stat(os.environ["WINEPREFIX"])
    name = f"server-{st.st_dev:x}-{st.st_ino:x}"
    for entry in Path("/proc").iterdir():
        if not entry.name.isdigit():
            continue
        try:
            if not (entry / "comm").read_text().startswith("wineserver"):
                continue
            if os.path.basename(os.readlink(entry / "cwd")) == name:
                return int(entry.name)
        except OSError:
            continue
    return None


def cpu_seconds(pid):
    """User and system time the process has used, in seconds."""
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    # utime and stime are the 14th and 15th fields; the two before the
    # split point (pid and name) are gone.
    return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS


def private_bytes(pid):
    """Pages only this process has (Private_Clean + Private_Dirty of
    smaps_rollup): the same measure for every program, whatever Wine would
    report about it."""
    total = 0
    for line in Path(f"/proc/{pid}/smaps_rollup").read_text().splitlines():
        if line.startswith(("Private_Clean:", "Private_Dirty:")):
            total += int(line.split()[1]) * 1024
    return total
