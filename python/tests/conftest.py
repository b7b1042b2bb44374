"""Fixtures of the Python tests: the example texts and the corpus in tests/data."""
import json
import os
import pathlib

import pytest

SOURCE = pathlib.Path(os.environ.get("QUARN_SOURCE_DIR", pathlib.Path(__file__).parents[2]))
CORPUS = pathlib.Path(os.environ.get("QUARN_CORPUS_DIR", SOURCE / "tests" / "data"))


def pytest_configure(config):
    config.addinivalue_line("markers", "epsg: needs the EPSG component (built with PROJ)")
    config.addinivalue_line("markers", "no_epsg: checks a build without the EPSG component")


def example(name):
    return (SOURCE / "examples" / name).read_text()


def corpus(dialect):
    """The (id, text) pairs of the EPSG sample in the dialect "gdal" or "esri"."""
    with open(CORPUS / f"epsg_wkt1_{dialect}_sample.jsonl") as lines:
        return [(row["id"], row["wkt"]) for row in map(json.loads, lines)]


@pytest.fixture
def factory():
    import quarn

    return quarn.Factory()
