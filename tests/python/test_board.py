import re
import threading

import pytest

import kv3124
from kv3124 import sim

# field, value as given, the register bytes the set writes (after reading the register where it keeps
# the other bits), what the field then reads back as
FIELD_ROWS = [
    ("backlight", "off", [("read", 0x00, 0x01), ("write", 0x00, 0x00)], "off"),
    ("spread-spectrum", "on", [("read", 0x00, 0x01), ("write", 0x00, 0x03)], "on"),
    ("slew-rate", 1, [("read", 0x00, 0x01), ("write", 0x00, 0x05)], "on"),
    ("brightness", 0xABC, [("write", 0x03, 0xC0), ("write", 0x04, 0xAB)], 0xABC),
    ("brightness", "0x801", [("write", 0x03, 0x10), ("write", 0x04, 0x80)], 0x801),
    ("mode", "PWM x Brt Hi/Lo Reg", [("read", 0x10, 0x01), ("write", 0x10, 0x02)], "PWM x Brt Hi/Lo Reg"),
    ("auto-string", "on", [("read", 0x10, 0x01), ("write", 0x10, 0x05)], "on"),
    ("pwm-standby", True, [("read", 0x10, 0x01), ("write", 0x10, 0x81)], "on"),
    ("current-scale", "101 = 20mA", [("read", 0x11, 0x04), ("write", 0x11, 0x05)], "101 = 20mA"),
    ("iset-external", "on", [("read", 0x11, 0x04), ("write", 0x11, 0x84)], "on"),
    ("pwm-frequency", 7, [("read", 0x12, 0x02), ("write", 0x12, 0x07)], "39.1 kHz"),
    ("pfset-external", "on", [("read", 0x12, 0x02), ("write", 0x12, 0x82)], "on"),
    ("boost-fset", "500 kHz", [("read", 0x13, 0x01), ("write", 0x13, 0x00)], "500 kHz"),
    ("boost-comp", "BOOST COMP 1", [("read", 0x13, 0x01), ("write", 0x13, 0x03)], "BOOST COMP 1"),
    ("comp-external", "on", [("read", 0x13, 0x01), ("write", 0x13, 0x41)], "on"),
    ("fset-external", 1, [("read", 0x13, 0x01), ("write", 0x13, 0x81)], "on"),
    ("led1", "off", [("read", 0x14, 0x3F), ("write", 0x14, 0x3E)], "off"),
    ("led2", "off", [("read", 0x14, 0x3F), ("write", 0x14, 0x3D)], "off"),
    ("led3", "off", [("read", 0x14, 0x3F), ("write", 0x14, 0x3B)], "off"),
    ("led4", False, [("read", 0x14, 0x3F), ("write", 0x14, 0x37)], "off"),
    ("led5", "off", [("read", 0x14, 0x3F), ("write", 0x14, 0x2F)], "off"),
    ("led6", "off", [("read", 0x14, 0x3F), ("write", 0x14, 0x1F)], "off"),
    ("step", "200 ms", [("read", 0x15, 0x00), ("write", 0x15, 0x03)], "200 ms"),
    ("smoothing", "Medium Smoothing", [("read", 0x15, 0x00), ("write", 0x15, 0x80)], "Medium Smoothing"),
]


def bus(log):
    return [(kind, reg, value) for kind, reg, value, ok in log if ok]


@pytest.mark.parametrize("name, value, written, shown", FIELD_ROWS)
def test_field_set_writes_these_bytes_and_reads_back(board, name, value, written, shown):
    board[name] = value
    assert bus(sim.log()) == written
    sim.clear_log()
    assert board[name] == shown
    # The read-back reads each register the field lives in once, and gets what was written.
    written_bytes = {reg: byte for kind, reg, byte in written if kind == "write"}
    assert bus(sim.log()) == [("read", reg, byte) for reg, byte in written_bytes.items()]


def test_every_writable_field_has_a_row():
    assert {row[0] for row in FIELD_ROWS} == {f.name for f in kv3124.fields() if f.writable}


@pytest.mark.parametrize("field", [f for f in kv3124.fields() if f.writable], ids=lambda f: f.name)
def test_field_description_matches_the_bits_on_the_bus(board, field):
    # What fields() tells a user is where set puts the bits: all ones land in exactly the described bits.
    def written(value):
        sim.clear_log()
        board[field.name] = value
        return {reg: byte for kind, reg, byte in bus(sim.log()) if kind == "write"}

    zeros, ones = written(0), written(field.max_value)
    mask = field.max_value << field.shift
    assert {reg: zeros[reg] ^ ones[reg] for reg in ones} == {
        reg: (mask >> (8 * i)) & 0xFF for i, reg in enumerate(field.registers)
    }
    assert board.field(field.name).value == field.max_value


def test_status_fields_read_the_chip(board):
    sim.set_register(0x01, 0x84)  # over-current and open
    assert [(n, board[n]) for n in ("uvlo", "over-current", "open")] == [("uvlo", "off"), ("over-current", "on"), ("open", "on")]
    assert repr(board.field("over-current")) == "FieldValue(name='over-current', value=1, text='on')"


def test_brightness_sweep_writes_low_byte_then_high(board):
    for code in (0x000, 0x100, 0xFFF):
        board.brightness = code
    assert bus(sim.log()) == [
        ("write", 0x03, 0x00), ("write", 0x04, 0x00),
        ("write", 0x03, 0x00), ("write", 0x04, 0x10),
        ("write", 0x03, 0xF0), ("write", 0x04, 0xFF),
    ]
    assert board.brightness == 0xFFF


def test_dump_reads_what_readback_all_reads_in_its_order(board):
    regs = board.dump()
    assert list(regs) == [r.address for r in kv3124.registers()]
    assert regs[0x02] == 0xA1 and regs[0x14] == 0x3F and regs[0x11] == 0x04
    assert [reg for kind, reg, _ in bus(sim.log())] == list(regs)


def test_read_and_write_go_to_the_register_named(board):
    board.write(0x14, 0x15)
    assert board.read(0x14) == 0x15
    assert bus(sim.log()) == [("write", 0x14, 0x15), ("read", 0x14, 0x15)]


def test_snapshot_round_trip(board, tmp_path):
    path = tmp_path / "good.kv3124"
    board["current-scale"] = "101 = 20mA"
    board["led3"] = "off"
    board.brightness = 0x800
    saved = board.dump()
    board.save(path)
    text = path.read_text()
    assert text.startswith("# KV3124 registers, format 2\n# date: ")
    assert "# adapter: sim\n# firmware: Version: USB RFW:2.5; FFW:1.3\n" in text
    assert '0x11 0x05  # current: current-scale="101 = 20mA", iset-external=off\n' in text
    assert text.endswith("# end\n")

    board["current-scale"] = 0
    board["led3"] = "on"
    board.brightness = 0
    sim.clear_log()
    result = board.load(str(path))
    assert [hex(r) for r in result.written] == ["0x13", "0x11", "0x12", "0x10", "0x15", "0x14", "0x3", "0x4", "0x0"]
    assert result.skipped == [0x01, 0x02, 0x16, 0x17, 0x18, 0x1C, 0x1D, 0x1E, 0x1F]
    assert [b for k, r, b in bus(sim.log()) if k == "write"] == [0x01, 0x05, 0x02, 0x01, 0x00, 0x3B, 0x00, 0x80, 0x01]
    assert board.dump() == saved


def test_trace_file_gets_every_call(tmp_path):
    sim.reset()
    trace = tmp_path / "bus.log"
    with kv3124.open("sim", trace=trace) as board:
        board["led3"] = "off"
    lines = [line.split(None, 1)[1] for line in trace.read_text().splitlines()]
    assert lines[0] == "find     -> 1 ok"
    assert lines[-3:] == ["read     0x2C 0x14 -> 0x3F ok", "write    0x2C 0x14 0x3B ok", "close    1 ok"]


def failing_load(board, tmp_path):
    path = tmp_path / "good.kv3124"
    board.save(path)
    sim.fail_writes_of(0x10)
    board.load(path)


def write_file(tmp_path, text):
    path = tmp_path / "bad.kv3124"
    path.write_text(text)
    return path


# what is done, the exception, its text (a pattern), and the bytes the bus saw meanwhile (None: not checked)
ERROR_ROWS = [
    ("unknown field", lambda b, t: b.__setitem__("led7", "on"), ValueError,
     r"^unknown field 'led7' \(valid fields: backlight, spread-spectrum, .*, smoothing\)$", []),
    ("unknown field read", lambda b, t: b["nope"], ValueError, r"^unknown field 'nope' ", []),
    ("value not an item", lambda b, t: b.__setitem__("current-scale", "30mA"), ValueError,
     r"^'30mA' is not a value of current-scale \(valid: 0 to 7 or \"000 = 5mA\", .*\"111 = 25mA\"\)$", []),
    ("value too large", lambda b, t: b.__setitem__("brightness", 4096), ValueError,
     r"^'4096' is not a value of brightness \(valid: 0 to 4095\)$", []),
    ("negative value", lambda b, t: b.__setitem__("led1", -1), ValueError, r"^'-1' is not a value of led1 ", []),
    ("value of another type", lambda b, t: b.__setitem__("led1", 1.0), TypeError, r"int or one of its item texts, not float$", []),
    ("read-only field", lambda b, t: b.__setitem__("uvlo", "on"), ValueError,
     r"^uvlo is in the read-only register 0x01$", []),
    ("read-only register", lambda b, t: b.write(0x01, 0), ValueError, r"^register 0x01 is read-only$", []),
    ("register too large", lambda b, t: b.read(0x100), ValueError, r"^register 256 is not a number from 0 to 0xFF$", []),
    ("byte too large", lambda b, t: b.write(0x14, 300), ValueError, r"^value 300 is not a number from 0 to 0xFF$", []),
    ("read fails", lambda b, t: (sim.fail_reads_of(0x14), b.read(0x14)), kv3124.BoardError,
     r"^reading register 0x14 failed \(no answer on the bus\)$", []),
    ("write fails", lambda b, t: (sim.fail_writes_of(0x14), b.write(0x14, 0x15)), kv3124.BoardError,
     r"^writing 0x15 to register 0x14 failed \(no answer on the bus\)$", []),
    ("save's read fails", lambda b, t: (sim.fail_reads_of(0x1F), b.save(t / "s.kv3124")), kv3124.BoardError,
     r"^reading register 0x1F failed \(no answer on the bus\)$", None),
    ("field's read fails", lambda b, t: (sim.fail_next_reads(1), b.__setitem__("led3", "off")), kv3124.BoardError,
     r"^reading register 0x14 failed \(no answer on the bus\)$", []),
    ("field's write fails", lambda b, t: (sim.fail_writes_of(0x14), b.__setitem__("led3", "off")), kv3124.BoardError,
     r"^writing 0x3B to register 0x14 failed \(no answer on the bus\)$", [("read", 0x14, 0x3F)]),
    ("dump fails", lambda b, t: (sim.fail_reads_of(0x12), b.dump()), kv3124.BoardError,
     r"^reading register 0x12 failed \(no answer on the bus\)$", None),
    ("adapter unplugged", lambda b, t: (sim.unplug(), b.brightness), kv3124.BoardError,
     r"^reading register 0x03 failed \(no answer on the bus\)$", []),
    ("load stops part way", failing_load, kv3124.BoardError,
     r"^writing 0x01 to register 0x10 failed \(no answer on the bus\); written before: 0x13, 0x11, 0x12$", None),
    ("closed board", lambda b, t: (b.close(), b.read(0x14)), ValueError, r"^the board is closed$", []),
    ("trace to a folder", lambda b, t: (b.close(), kv3124.open("sim", trace=t)), ValueError, r"folder|directory", None),
    ("second board", lambda b, t: kv3124.open("sim"), RuntimeError,
     r"^a board is open already: close it first \(one board per process\)$", []),
    ("unknown adapter", lambda b, t: (b.close(), kv3124.open("usb")), ValueError,
     r"^unknown adapter 'usb' \(choose sim, none, i2c-N, i2c:NAME or serial:SERIAL\)$", None),
    ("no adapter", lambda b, t: (b.close(), kv3124.open("none")), kv3124.BoardError,
     r"^USB Initialization Error: no adapter found$", None),
    ("bus that is not there", lambda b, t: (b.close(), kv3124.open("i2c-250")), kv3124.BoardError,
     r"^USB Initialization Error: i2c-250: \S.*$", None),
]


@pytest.mark.parametrize("what, action, error, text, seen", ERROR_ROWS, ids=[row[0] for row in ERROR_ROWS])
def test_errors_raise_with_the_whole_reason(board, tmp_path, capfd, what, action, error, text, seen):
    with pytest.raises(error, match=text):
        action(board, tmp_path)
    assert capfd.readouterr().err == ""
    if seen is not None:
        assert bus(sim.log()) == seen


# the file's text, and the line the error names (0: the whole file)
SNAPSHOT_ROWS = [
    ("0x14 0x3F\n0x99 0x00\n", 2, "line 2: "),
    ("0x14 0x3F\n0x14 0x3E\n", 2, "line 2: register 0x14 given twice (first on line 1)"),
    ("0x14 0x3F garbage\n", 1, "line 1: "),
    ("# KV3124 registers, format 2\n0x14 0x3F\n", 0, "is cut short"),
    ("# nothing\n", 0, "no registers in "),
]


@pytest.mark.parametrize("text, line, problem", SNAPSHOT_ROWS)
def test_bad_snapshot_names_file_and_line_and_writes_nothing(board, tmp_path, text, line, problem):
    path = write_file(tmp_path, text)
    with pytest.raises(kv3124.SnapshotError) as raised:
        board.load(path)
    assert (raised.value.file, raised.value.line) == (str(path), line)
    assert problem in str(raised.value) and str(path) in str(raised.value)
    assert isinstance(raised.value, ValueError)
    assert sim.log() == []


def test_snapshot_error_for_missing_file_and_unwritable_target(board, tmp_path):
    with pytest.raises(kv3124.SnapshotError, match="missing.kv3124") as raised:
        board.load(tmp_path / "missing.kv3124")
    assert raised.value.line == 0
    with pytest.raises(kv3124.SnapshotError, match=re.escape(str(tmp_path))):
        board.save(tmp_path)


def test_transfer_lets_other_threads_run(board):
    # A transfer held inside the adapter layer: the main thread runs Python meanwhile only if the
    # transfer let go of the interpreter lock.
    results = []
    sim.hold_next_transfer(longest=5.0)
    worker = threading.Thread(target=lambda: results.append(board.read(0x14)))
    worker.start()
    try:
        assert sim.wait_until_held(timeout=5.0)
        assert sim.transfer_held()
        assert results == []
    finally:
        sim.release_transfer()
        worker.join()
    assert results == [0x3F]


def test_second_thread_waits_for_the_first(board):
    # One board, two threads: the second's call waits for the held one and both get whole answers.
    results = []
    sim.hold_next_transfer(longest=5.0)
    first = threading.Thread(target=lambda: results.append(("first", board.read(0x14))))
    first.start()
    assert sim.wait_until_held(timeout=5.0)
    second = threading.Thread(target=lambda: results.append(("second", board.read(0x11))))
    second.start()
    second.join(timeout=0.2)
    waited = second.is_alive()
    sim.release_transfer()
    first.join()
    second.join()
    assert waited and sorted(results) == [("first", 0x3F), ("second", 0x04)]


def test_open_and_close_leave_the_adapter_to_the_next_board():
    sim.reset()
    board = kv3124.open()
    assert (board.adapter, board.firmware, board.closed) == ("sim", "Version: USB RFW:2.5; FFW:1.3", False)
    board.close()
    assert board.closed and repr(board) == "<kv3124.Board adapter='sim' closed>"
    with kv3124.open("sim") as again:
        assert again.read(0x02) == 0xA1
    assert again.closed


def test_adapters_and_registers_describe_the_same_chip_as_the_tool():
    names = [a.name for a in kv3124.adapters()]
    assert names[:2] == ["sim", "none"]
    assert all(name.startswith("i2c-") for name in names[2:])  # each one open() takes
    assert kv3124.adapters()[0].description == "simulated evaluation board (default)"
    regs = {r.address: r for r in kv3124.registers()}
    assert (regs[0x01].name, regs[0x01].access) == ("status", "read-only")
    assert (regs[0x14].name, regs[0x14].access) == ("led-enables", "written")
    brightness = next(f for f in kv3124.fields() if f.name == "brightness")
    assert (brightness.registers, brightness.shift, brightness.width, brightness.items) == ((0x03, 0x04), 4, 12, ())
