"""The module on a real bus: KV3124_TEST_ADAPTER names it (i2c-N, i2c:NAME, serial:SERIAL), with a chip
at 0x2C that keeps what is written (i2c-stub does). Without it these tests are skipped."""

import os

import pytest

import kv3124

ADAPTER = os.environ.get("KV3124_TEST_ADAPTER")
pytestmark = pytest.mark.skipif(not ADAPTER, reason="KV3124_TEST_ADAPTER names no bus")


@pytest.fixture
def board():
    with kv3124.open(ADAPTER) as opened:
        yield opened


# field, value, register, the bits the field owns there, what they hold afterwards
ROWS = [
    ("led3", "off", 0x14, 0x04, 0x00),
    ("led3", "on", 0x14, 0x04, 0x04),
    ("current-scale", "101 = 20mA", 0x11, 0x07, 0x05),
    ("smoothing", "Heavy Smoothing", 0x15, 0xC0, 0xC0),
]


@pytest.mark.parametrize("name, value, reg, mask, bits", ROWS)
def test_field_set_keeps_the_other_bits(board, name, value, reg, mask, bits):
    before = board.read(reg)
    board[name] = value
    assert board.read(reg) == (before & ~mask) | bits
    assert board[name] == value


def test_brightness_and_snapshot_round_trip(board, tmp_path):
    board.brightness = 0xABC
    assert (board.read(0x03) & 0xF0, board.read(0x04)) == (0xC0, 0xAB)
    saved = board.dump()
    board.save(tmp_path / "bus.kv3124")
    board.brightness = 0
    assert 0x04 in board.load(tmp_path / "bus.kv3124").written
    assert board.dump() == saved


def test_a_second_open_is_refused_while_the_bus_is_open(board):
    with pytest.raises(RuntimeError, match="one board per process"):
        kv3124.open(ADAPTER)
