"""python3 -m kv3124 ARGUMENTS: runs kv3124ctl with them (see python3 -m kv3124 --help)."""

import os
import shutil
import sys
from pathlib import Path


def _kv3124ctl() -> str | None:
    # The one installed beside this module (PREFIX/lib/python3.../kv3124), else the one on PATH.
    beside = Path(__file__).resolve().parents[4] / "bin" / "kv3124ctl"
    return str(beside) if os.access(beside, os.X_OK) else shutil.which("kv3124ctl")


def main() -> None:
    program = _kv3124ctl()
    if program is None:
        sys.exit("python3 -m kv3124: kv3124ctl is not installed")
    os.execv(program, [program, *sys.argv[1:]])


if __name__ == "__main__":
    main()
