import pytest

import kv3124


@pytest.fixture
def board():
    """A freshly powered simulated board, its start-up left out of the log."""
    kv3124.sim.reset()
    with kv3124.open("sim") as opened:
        kv3124.sim.clear_log()
        yield opened
