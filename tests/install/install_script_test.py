"""tools/install-deps.sh against stand-ins for apt-get, dpkg and the locale tools that fail the way
a mirror in the middle of a sync makes them fail."""
import os, pathlib, subprocess, sys, tempfile

SCRIPT = pathlib.Path(__file__).resolve().parents[2] / "tools" / "install-deps.sh"
# Each stand-in logs its call; apt-get fails its first UPDATE_FAILS updates with the mirror's
# error and, by INSTALL, fails every install ("never"), only those without -t ("target") or none.
STUB = r'''#!/bin/sh
echo "$(basename "$0") $*" >>"$STUB_LOG"
case "$(basename "$0") $1" in
  "dpkg-query "*) [ "$INSTALLED" = all ] && echo "install ok installed"; exit 0 ;;
  "dpkg --print-foreign-architectures") echo i386 ;;
  "locale "*) [ "$INSTALLED" = all ] && echo zh_CN.utf8 ;;
  "apt-get update")
    n=$(grep -c '^apt-get update' "$STUB_LOG")
    if [ "$n" -le "$UPDATE_FAILS" ]; then
      echo "E: Failed to fetch .../binary-i386/Packages.xz  File has unexpected size. Mirror sync in progress?" >&2
      exit 100
    fi ;;
  "apt-get install")
    case "$INSTALL:$*" in never:*|target:*) case "$*" in *"-t "*) [ "$INSTALL" = never ] && exit 100;; *) exit 100;; esac;; esac ;;
esac
exit 0
'''

ROWS = [  # name, installed, failed updates, install, exit code, calls in order, said, not said
    ("all there", "all", 0, "ok", 0, [], "", "Installing"),
    ("index fails once", "none", 1, "ok", 0, ["apt-get update"] * 2 + ["apt-get install", "localedef"],
     "Installing", "warning"),
    ("mirror in sync, multi-arch mismatch", "none", 9, "target", 0,
     ["apt-get update"] * 3 + ["apt-get install", "dpkg --configure -a",
                               "apt-get install -y -qq --no-install-recommends -t bookworm", "localedef"],
     "warning: apt-get update failed 3 times", "error"),
    ("nothing installs", "none", 0, "never", 1, ["apt-get install", "-t bookworm"],
     "error: could not install", "localedef"),
]

def run(installed, update_fails, install):
    with tempfile.TemporaryDirectory() as tmp:
        for tool in ("apt-get", "dpkg-query", "dpkg", "locale", "localedef"):
            stub = pathlib.Path(tmp, tool)
            stub.write_text(STUB)
            stub.chmod(0o755)
        log = pathlib.Path(tmp, "log")
        log.touch()
        env = dict(os.environ, PATH=f"{tmp}:{os.environ['PATH']}", STUB_LOG=str(log), INSTALLED=installed,
                   UPDATE_FAILS=str(update_fails), INSTALL=install, LANZHOU_APT_PAUSE="0")
        done = subprocess.run(["bash", str(SCRIPT)], env=env, capture_output=True, text=True, timeout=60)
        return done.returncode, log.read_text(), done.stdout + done.stderr

def main():
    failures = 0
    for name, installed, update_fails, install, code, calls, said, unsaid in ROWS:
        got, log, out = run(installed, update_fails, install)
        rest = log
        for call in calls:  # each after the one before
            rest = rest[rest.find(call) + len(call):] if call in rest else None
            if rest is None:
                break
        if got != code or rest is None or said not in out or unsaid in log + out:
            failures += 1
            print(f"FAIL {name}: exit {got} (wanted {code})\n{log}{out}")
    print(f"{len(ROWS) - failures} passed, {failures} failed")
    return 1 if failures else 0

if __name__ == "__main__":
    sys.exit(main())
