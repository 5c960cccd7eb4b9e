"""The end-to-end cases."""
from e2e_lib import case, check


@case(shot=True)
def starts_and_ends_on_wm_close(env):
    data, windata = env.data_folder("start")
    proc = env.start("/d", windata)
    env.wait_window()
    env.screenshot("start")
    rc = env.close(proc)
    check(rc == 0, f"exit code {rc}")
