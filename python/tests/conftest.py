"""Shared fixtures of the kelvora module's tests: the command line beside the module."""
import os
import shutil

import pytest


@pytest.fixture(scope="session")
def cli():
    """Path of kelvora-cli: $KELVORA_CLI (set by ctest), else the one on the PATH."""
    path = os.environ.get("KELVORA_CLI") or shutil.which("kelvora-cli")
    if not path:
        pytest.fail("kelvora-cli not found: set KELVORA_CLI to the built program")
    return path
