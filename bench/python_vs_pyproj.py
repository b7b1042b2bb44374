"""quarn against pyproj in one process, on the GDAL-dialect sample of tests/data.

    PYTHONPATH=build-release/python/site /usr/bin/python3 bench/python_vs_pyproj.py [ROUNDS]

Each figure is the median over the rounds of the time per text (per pair for == and hash),
measured in thread CPU time (time.thread_time: the machine may be shared) around a plain loop over all the texts; the loop's own cost
is part of every figure. Object lifetimes: every object a round makes is kept in a list
until the round's clock stops (so no round times the freeing of its objects) and dropped
before the next round.

- read+write: quarn reads each text into a fresh quarn.Factory() per round (no text seen
  before) and writes it back with to_wkt(); pyproj runs CRS.from_wkt and to_wkt("WKT1_GDAL"),
  with its global context (its fastest setting) and with its default setting (on every
  tenth text: it takes milliseconds a text).
- == and hash: each text read twice; quarn gives the same object, pyproj two equal ones; the
  figure is a == b (and hash(a)) over all pairs.
- to_epsg: the ESRI-dialect sample (no AUTHORITY clauses), every fifth text, each object
  made before the clock starts and identified once a round (quarn: in a fresh Factory each
  round; it keeps no answers anyway). quarn's first identification of the process, which
  reads the index of the database, is made before the rounds. pyproj's default setting on
  every tenth of those.
"""
import gc
import json
import pathlib
import statistics
import sys
import time

import pyproj
import quarn

ROOT = pathlib.Path(__file__).resolve().parents[1]


def texts(dialect):
    with open(ROOT / "tests" / "data" / f"epsg_wkt1_{dialect}_sample.jsonl") as lines:
        return [json.loads(line)["wkt"] for line in lines]


def per_item(rounds, run, count):
    """Median seconds per item of `run()` (which returns what it made) over the rounds."""
    times = []
    for _ in range(rounds):
        gc.collect()
        start = time.thread_time()
        kept = run()
        times.append((time.thread_time() - start) / count)
        del kept
    return statistics.median(times)


def quarn_read_write(sample):
    def run():
        factory = quarn.Factory()
        return [(crs, crs.to_wkt()) for crs in map(factory.from_wkt, sample)]
    return run


def pyproj_read_write(sample):
    def run():
        return [(crs, crs.to_wkt("WKT1_GDAL")) for crs in map(pyproj.CRS.from_wkt, sample)]
    return run


def compare_pairs(pairs):
    def run():
        return [a == b for a, b in pairs]
    return run


def hash_pairs(pairs):
    def run():
        return [hash(a) for a, _ in pairs]
    return run


def identify(objects):
    def run():
        return [crs.to_epsg() for crs in objects]
    return run


def quarn_objects(sample):
    factory = quarn.Factory()
    return [factory.from_wkt(text) for text in sample]


def main():
    rounds = int(sys.argv[1]) if len(sys.argv) > 1 else 7
    gdal = texts("gdal")
    tenth = gdal[::10]
    rows = []

    quarn_rw = per_item(rounds, quarn_read_write(gdal), len(gdal))
    pyproj.set_use_global_context(True)
    global_rw = per_item(rounds, pyproj_read_write(gdal), len(gdal))
    pyproj.set_use_global_context(False)
    default_rw = per_item(max(3, rounds // 2), pyproj_read_write(tenth), len(tenth))
    rows.append(("from_wkt + to_wkt", quarn_rw, global_rw, default_rw))

    pyproj.set_use_global_context(True)
    quarn_pairs = [(quarn.CRS.from_wkt(t), quarn.CRS.from_wkt(t)) for t in gdal]
    pyproj_pairs = [(pyproj.CRS.from_wkt(t), pyproj.CRS.from_wkt(t)) for t in gdal]
    rows.append(("==", per_item(rounds, compare_pairs(quarn_pairs), len(gdal)),
                 per_item(rounds, compare_pairs(pyproj_pairs), len(gdal)), None))
    # pyproj caches nothing for hash: each call hashes the WKT text again.
    rows.append(("hash", per_item(rounds, hash_pairs(quarn_pairs), len(gdal)),
                 per_item(rounds, hash_pairs(pyproj_pairs), len(gdal)), None))
    pyproj.set_use_global_context(False)

    esri = texts("esri")[::5]
    quarn.CRS.from_epsg(4326).to_epsg()  # reads the identifier's index
    quarn_ids = statistics.median(
        per_item(1, identify(quarn_objects(esri)), len(esri)) for _ in range(rounds))
    pyproj.set_use_global_context(True)
    global_ids = per_item(max(3, rounds // 2), identify([pyproj.CRS.from_wkt(t) for t in esri]),
                          len(esri))
    pyproj.set_use_global_context(False)
    default_ids = per_item(3, identify([pyproj.CRS.from_wkt(t) for t in esri[::10]]),
                           len(esri[::10]))
    rows.append(("to_epsg (ESRI)", quarn_ids, global_ids, default_ids))

    print(f"{len(gdal)} GDAL-dialect texts, {rounds} rounds, medians per text "
          f"(pyproj {pyproj.__version__}, PROJ {pyproj.proj_version_str})")
    print(f"{'':20}{'quarn':>10}{'pyproj global':>15}{'ratio':>8}{'pyproj default':>16}{'ratio':>8}")
    for name, ours, fast, default in rows:
        line = f"{name:20}{ours * 1e6:8.2f}us{fast * 1e6:13.2f}us{fast / ours:7.0f}x"
        if default is not None:
            line += f"{default * 1e6:14.0f}us{default / ours:7.0f}x"
        print(line)


if __name__ == "__main__":
    main()
