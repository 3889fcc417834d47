"""The window program in a private X server, for the benchmark scripts."""
import contextlib
import os
import subprocess
import tempfile
import time


@contextlib.contextmanager
def window_program(program, display, args=("--log",)):
    """Starts Xvfb on `display` and the program in a fresh working directory
    (the build's program finds its piece meshes itself); yields (process, environment, path of its
    standard output, window id, start time), the window id once the window
    shows. Both are ended afterwards."""
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1024x900x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        for _ in range(100):
            if os.path.exists("/tmp/.X11-unix/X" + display[1:]):
                break
            time.sleep(0.1)
        env = dict(os.environ, DISPLAY=display)
        with tempfile.TemporaryDirectory() as work:
            out_path = os.path.join(work, "out.txt")
            start = time.monotonic()
            with open(out_path, "w") as out:
                prog = subprocess.Popen([os.path.abspath(program)] + list(args), cwd=work, env=env,
                                        stdout=out, stderr=subprocess.DEVNULL)
            try:
                wid = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Tamzor"],
                                     env=env, capture_output=True, text=True, timeout=30).stdout.split()[0]
                yield prog, env, out_path, wid, start
            finally:
                prog.kill()
                prog.wait()
    finally:
        xvfb.terminate()
        xvfb.wait()


def key(env, wid, *keys, delay=0.5):
    subprocess.run(["xdotool", "key", "--window", wid] + list(keys), env=env, check=True,
                   stderr=subprocess.DEVNULL)
    time.sleep(delay)


def kib(pid, field="VmRSS"):
    for line in open(f"/proc/{pid}/status"):
        if line.startswith(field + ":"):
            return int(line.split()[1])
    return 0
