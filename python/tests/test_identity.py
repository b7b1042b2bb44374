"""Equal definitions are one object: identity, hashing, pickling, copies, factories, threads."""
import concurrent.futures
import copy
import gc
import pickle
import re
import subprocess
import sys

import quarn
from conftest import corpus, example

UTM = example("projected_utm_metres.wkt")


def test_equal_texts_are_one_object(factory):
    crs = factory.from_wkt(UTM)
    assert factory.from_wkt(" ".join(UTM.split())) is crs and hash(crs) == hash(factory.from_wkt(UTM))
    # Unlike pyproj, a CRS is never equal to a text or a code.
    assert crs != UTM and crs != crs.to_wkt() and crs != 26915
    assert quarn.Factory().from_wkt(UTM) not in (crs, None)
    assert type(crs).__eq__ is object.__eq__ and type(crs).__hash__ is object.__hash__
    # A part comes back as its living object, and a new one once that one is gone.
    geographic = crs.geodetic_crs
    assert crs.geodetic_crs is geographic and factory.from_wkt(geographic.to_wkt()) is geographic
    del crs, geographic
    gc.collect()
    assert factory.from_wkt(UTM).geodetic_crs.name == "NAD83"
    # Objects keep their factory alive.
    head, tail = quarn.Factory().from_wkt(example("compound_with_height.wkt")).sub_crs_list
    gc.collect()
    assert head.ellipsoid.name == "WGS 84" and tail.to_wkt("CANONICAL").startswith('VERT_CS["height"')


def test_pickle_and_copies(factory):
    crs = quarn.CRS(UTM)
    assert pickle.loads(pickle.dumps(crs)) is crs
    assert copy.copy(crs) is crs and copy.deepcopy([crs])[0] is crs
    # A separate factory's object unpickles into the process-wide factory.
    separate = factory.from_wkt(example("vertical.wkt"))
    assert pickle.loads(pickle.dumps(separate)) is quarn.CRS(example("vertical.wkt"))
    # A canonical text that the reader does not take back (axes of no direction) comes back
    # through the GDAL text.
    geocentric = factory.from_wkt(dict(corpus("gdal"))["EPSG:3887"])
    assert "NULL" in geocentric.to_wkt("CANONICAL")
    assert pickle.loads(pickle.dumps(geocentric)).to_wkt() == geocentric.to_wkt()
    # Another process reads it into an equal object (a zero's sign is not kept).
    script = ("import pickle, sys, quarn; crs = pickle.loads(sys.stdin.buffer.read()); "
              "print(crs.to_wkt('CANONICAL'))")
    for text in (UTM, example("compound_with_height.wkt"), example("fitted_vertical_height_correction.wkt")):
        crs = quarn.CRS(text)
        out = subprocess.run([sys.executable, "-c", script], input=pickle.dumps(crs),
                             capture_output=True, check=True).stdout.decode()
        assert out.strip() == re.sub(r"-0(?=[],])", "0", crs.to_wkt("CANONICAL"))


def test_threads_share_the_process_wide_factory():
    texts = [text for _, text in corpus("gdal")[:300]]

    def read(first):  # each thread reads every text, starting at its own place
        got = {i: quarn.CRS.from_wkt(texts[i]) for i in [*range(first, len(texts)), *range(first)]}
        for crs in got.values():
            crs.to_wkt(), crs.axis_info, crs.sub_crs_list
        return got

    with concurrent.futures.ThreadPoolExecutor(4) as pool:
        for got in list(pool.map(read, range(0, 280, 70))):
            assert all(got[i] is quarn.CRS.from_wkt(text) for i, text in enumerate(texts))
