"""The KV3124 backlight LED driver on its evaluation board, from Python.

The same chip description and adapters as the kv3124-eval window and kv3124ctl::

    import kv3124

    with kv3124.open("sim") as board:       # "sim", "none", "i2c-1", "i2c:NAME", "serial:SERIAL"
        print(board.firmware)               # Version: USB RFW:2.5; FFW:1.3
        board["led3"] = "off"               # a field by name: its item text or its number
        board["current-scale"] = "101 = 20mA"
        print(board["current-scale"])       # the item text; board.field(name).value is the number
        for code in range(0, 4096, 256):
            board.brightness = code         # 0x03 then 0x04, as the window's slider writes them
        regs = board.dump()                 # {0x00: 0x01, ...}, what Readback All reads
        board.save("good.kv3124")           # the snapshot files of kv3124ctl and the window
        board.load("good.kv3124")

registers() and fields() describe the chip; adapters() lists what open() can reach.

Errors are exceptions carrying the whole reason: BoardError when the bus or the board fails,
ValueError for a bad field, value, register or adapter name, SnapshotError (a ValueError, with
`file` and `line`) for a snapshot file. A failed load says what it wrote before it stopped.

The adapter layer is one per process: one board may be open at a time, and a second open()
raises RuntimeError until the first is closed. A board is safe to use from one thread at a time
(a second thread's call waits); bus transfers let go of the interpreter lock, so other threads
run during them. Ctrl-C is seen only once the transfer under way has ended: on a USB bridge that
loses an answer, that can take seconds.
"""

from typing import NamedTuple, Tuple

from kv3124._core import Board, BoardError, FieldValue, LoadResult, SnapshotError, open, sim
from kv3124 import _core

__all__ = [
    "Adapter",
    "Board",
    "BoardError",
    "Field",
    "FieldValue",
    "LoadResult",
    "Register",
    "SnapshotError",
    "adapters",
    "fields",
    "open",
    "registers",
    "sim",
]


class Adapter(NamedTuple):
    """An adapter open() can reach: its name and what it is."""

    name: str
    description: str


class Register(NamedTuple):
    """One of the chip's registers, in Readback All's order.

    access is "written" (the window writes it), "read-only" (status) or "shown-only" (read back
    only); name is empty for the registers no control shows.
    """

    address: int
    name: str
    access: str


class Field(NamedTuple):
    """A named field of a register, as kv3124ctl's get and set know it.

    Its bits start at bit `shift` of `register`; a field wider than what is left there goes on in
    the next register's low bits (the 12-bit brightness), `registers` lists them all. `items` are
    the window's texts for the values 0, 1, ...; empty for a plain number up to `max_value`.
    `writable` is False for the read-only status register's fields.
    """

    name: str
    caption: str
    register: int
    shift: int
    width: int
    items: Tuple[str, ...]
    registers: Tuple[int, ...]
    max_value: int
    writable: bool


def adapters() -> list[Adapter]:
    """What kv3124ctl --list-adapters lists: sim, none and this machine's I2C buses."""
    # A line without a tab is a note, such as that there are no I2C buses.
    return [Adapter(*line.split("\t", 1)) for line in _core._adapter_listing().splitlines() if "\t" in line]


def registers() -> list[Register]:
    """The chip's registers, in the order Readback All reads them."""
    return [Register(*row) for row in _core._register_rows()]


def fields() -> list[Field]:
    """The chip's named fields, in register and bit order."""
    return [Field(*row) for row in _core._field_rows()]
