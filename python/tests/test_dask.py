"""kelvora.state mapped over the chunks of a dask array on a local cluster of worker processes
gives what one call over the whole array gives: every property to the last bit, NaN where a value
does not exist, the statuses and the phases."""
import os

import numpy as np
import pytest

import dask
import dask.array as da
from dask.distributed import Client, LocalCluster

import kelvora

# Generous for a shared two-core machine, where starting two worker processes alone can take
# tens of seconds.
TIMEOUT = "300s"

# The cluster's event loop library warns about its own use of deprecated calls.
pytestmark = pytest.mark.filterwarnings("ignore::DeprecationWarning")


def p_h_inputs():
    """3000 p-h states in chunks of 700 (the last one shorter): compressed liquid, wet steam
    (a finite x), superheated vapour, and a few that cannot be built (status 1), scattered over
    several chunks."""
    p = np.repeat(np.geomspace(0.05, 400.0, 60), 50)
    h = np.tile(np.linspace(50.0, 3600.0, 50), 60)
    for i, bad in zip((5, 777, 1501, 2999), (np.nan, -1e4, np.inf, 1e6)):
        h[i] = bad
    p[2048] = -1.0
    return p, h


def test_chunks_on_two_worker_processes_give_the_results_of_one_call():
    p, h = p_h_inputs()
    whole = kelvora.state("p-h", p, h)
    names = list(whole)
    fields = [(name, "f8") for name in names] + [("status", "i4"), ("phase", "U24"),
                                                   ("pid", "i8")]

    # Defined here rather than at module level, so that it travels to the workers by value and
    # they need not import this file.
    def states(p_chunk, h_chunk):
        r = kelvora.state("p-h", p_chunk, h_chunk, workers=1)
        out = np.empty(p_chunk.shape, dtype=fields)
        for name in names:
            out[name] = r[name]
        out["status"] = r.status
        out["phase"] = r.phase
        out["pid"] = os.getpid()
        return out

    config = {"distributed.comm.timeouts.connect": TIMEOUT, "distributed.comm.timeouts.tcp": TIMEOUT}
    with dask.config.set(config):
        cluster = client = None
        try:
            cluster = LocalCluster(processes=True, n_workers=2, threads_per_worker=1,
                                   dashboard_address=None, timeout=TIMEOUT)
            client = Client(cluster, timeout=TIMEOUT)
            chunks = da.map_blocks(states, da.from_array(p, chunks=700),
                                   da.from_array(h, chunks=700), dtype=fields)
            mapped = client.compute(chunks).result(timeout=300)
        finally:
            if client is not None:
                client.close()
            if cluster is not None:
                cluster.close()

    assert os.getpid() not in mapped["pid"]  # the chunks ran in the worker processes
    np.testing.assert_array_equal(mapped["status"], whole.status)
    assert list(np.flatnonzero(whole.status)) == [5, 777, 1501, 2048, 2999]
    np.testing.assert_array_equal(mapped["phase"], whole.phase)
    assert 0 < np.count_nonzero(np.isfinite(whole.x)) < whole.x.size  # wet and single-phase
    for name in names:
        assert mapped[name].view(np.uint64).tobytes() == \
            np.asarray(whole[name]).view(np.uint64).tobytes(), name
