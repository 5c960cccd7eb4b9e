"""End-to-end case of the data folder of a program installed where it cannot
write: without /d the pages and settings go to the user's own folder
(%APPDATA%\\Vantor), the first such start says so, and the pages come back
from there at the next start."""
import os
import shutil
import subprocess
import time

from e2e_cases import clear_first_run_folders, wait_files
from e2e_lib import case, check, read_pages, wait_until

FOLDER = "VantorReadOnly"


def make_unwritable(folder, unwritable):
    """A folder nobody can add files to: the immutable attribute for root,
    whom permissions do not stop, else no write permission."""
    if os.geteuid() == 0:
        subprocess.run(["chattr", "+i" if unwritable else "-i", str(folder)], check=unwritable,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)
    else:
        folder.chmod(0o555 if unwritable else 0o755)


def can_write(folder):
    probe = folder / "probe.tmp"
    try:
        probe.write_bytes(b"")
    except OSError:
        return False
    probe.unlink()
    return True


def start_without_d(env):
    proc = subprocess.Popen(["timeout", "--kill-after=5", "120", "wine", f"C:\\{FOLDER}\\Vantor.exe"],
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    env.procs.append(proc)
    return proc


def vantor_windows(env):
    return env.find_windows("^Vantor$")


@case(shot=True)
def a_program_folder_that_cannot_be_written_keeps_the_pages_in_the_users_folder(env):
    program = env.drive_c / FOLDER
    per_user = env.user_folder("AppData", "Roaming", "Vantor")
    if program.exists():
        make_unwritable(program, False)
        shutil.rmtree(program)
    shutil.rmtree(per_user, ignore_errors=True)
    program.mkdir()
    shutil.copy(env.exe, program / "Vantor.exe")
    clear_first_run_folders(env)
    desktop = env.user_folder("Desktop")
    env.make_shortcut(desktop / "メモ帳.lnk", "C:\\windows\\notepad.exe")
    make_unwritable(program, True)
    try:
        check(not can_write(program), f"{program} could still be written")
        # The first start builds the first-run pages there and tells where.
        proc = start_without_d(env)
        windows = wait_until(lambda: len(vantor_windows(env)) >= 2 and vantor_windows(env), 40,
                             "the message telling where the data lives")
        box = max(windows, key=int)
        time.sleep(0.5)
        # The manual shows it.
        subprocess.run(["import", "-window", box, str(env.work / "per_user_message.png")], timeout=30, check=True)
        env.dismiss(box)
        wait_until(lambda: len(vantor_windows(env)) == 1, 20, "the message to close")
        rc = env.close(proc)
        check(rc == 0, f"exit code {rc}")
        wait_files(per_user)
        first = read_pages((per_user / "Main.pag").read_bytes())
        check([p.caption for p in first.pages] == ["デスクトップ"], f"first-run pages {[p.caption for p in first.pages]}")
        check(sorted(p.name for p in program.iterdir()) == ["Vantor.exe"], "files appeared beside the program")

        # Without the shortcut a first start would build no such page: the
        # second start reads the pages the first one saved, and says nothing.
        clear_first_run_folders(env)
        proc = start_without_d(env)
        env.wait_window()
        time.sleep(3)
        check(len(vantor_windows(env)) == 1, "the message came again")
        rc = env.close(proc)
        check(rc == 0, f"exit code {rc}")
        again = read_pages((per_user / "Main.pag").read_bytes())
        check(again == first, f"pages after a restart {[p.caption for p in again.pages]}")
    finally:
        env.kill_all()
        clear_first_run_folders(env)
        make_unwritable(program, False)
        shutil.rmtree(program, ignore_errors=True)
        shutil.rmtree(per_user, ignore_errors=True)
