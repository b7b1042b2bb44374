"""Texts that do not read, codes that name nothing, and input that must not crash."""
import contextlib
import random

import pytest
import quarn
from conftest import corpus, example


def raised(text, **options):
    with pytest.raises(quarn.WktError) as error:
        quarn.CRS.from_wkt(text, **options)
    return str(error.value), *(getattr(error.value, a) for a in ("line", "column", "offset", "token", "expected"))


def test_wkt_error_is_the_tools_diagnostic_with_its_parts():
    assert quarn.WktError.__bases__ == (quarn.CRSError, ValueError) and quarn.CRSError.__bases__ == (RuntimeError,)
    broken = example("broken/missing_comma.wkt")
    message, line, column, offset, token, expected = raised(broken)
    assert (message, line, column, token, expected) == (
        "5:5: error: unexpected UNIT; expected ','", 5, 5, "UNIT", "','")
    assert broken[offset:].startswith('UNIT["degree"')
    assert raised('GEOGCS["x",DATUM[  \n') == (
        "1:18: error: unexpected end of text; expected STRING", 1, 18, 17, None, "STRING")
    # Offsets count characters, as str does; bytes that are not UTF-8 stop at the bad byte.
    assert raised('VERT_CS["Zürich",VERT_DATUM["d",2005],UNIT["metre"]]')[:4] == (
        "1:51: error: unexpected ']'; expected ','", 1, 51, 50)
    assert raised(b'VERT_CS["Z\xfcrich"]')[1:5] == (1, 11, 10, "invalid UTF-8")


@pytest.mark.no_epsg
def test_codes_raise_in_a_build_without_the_epsg_component():
    geographic = quarn.CRS.from_wkt(example("geographic.wkt"))
    for call in (lambda: quarn.CRS.from_epsg(4326), lambda: quarn.CRS("EPSG:4326"), geographic.to_epsg):
        with pytest.raises(quarn.CRSError, match="^this build of quarn has no EPSG support"):
            call()
    with pytest.raises(ValueError, match="^min_confidence is from 0 to 100$"):
        geographic.to_epsg(min_confidence=101)


@pytest.mark.epsg
def test_text_after_the_system_warns_and_codes_that_name_nothing():
    text = 'VERT_CS["h",VERT_DATUM["d",2005],UNIT["metre",1]] VERT_CS["again"]'
    with pytest.warns(UserWarning, match=r"^1:51: warning: VERT_CS after the end of the "
                      r"coordinate system is ignored$"):
        assert quarn.CRS.from_wkt(text).name == "h"
    with pytest.raises(quarn.CRSError, match="^EPSG:999999: no horizontal coordinate system"):
        quarn.CRS.from_epsg(999999)
    with pytest.raises(quarn.CRSError) as error:
        quarn.CRS("EPSG:4x")
    assert not isinstance(error.value, quarn.WktError)
    with pytest.raises(quarn.CRSError):
        quarn.CRS.from_epsg(-1)


def test_damaged_texts_raise_and_never_crash(factory):
    rng = random.Random(27)
    for _, text in corpus("gdal")[::50] + corpus("esri")[::50]:
        for cut in rng.sample(range(len(text) - 1), 20):
            with pytest.raises(quarn.WktError):
                factory.from_wkt(text[:cut])
        damaged = [rng.choice('[]",\0\u20ac\U0001F600x9') if rng.random() < 0.01 else c for c in text]
        with contextlib.suppress(quarn.WktError):
            factory.from_wkt("".join(damaged))
    for text in ("", 'GEOGCS["' + "x" * 10_000_000):
        with pytest.raises(quarn.WktError):
            factory.from_wkt(text)
    with pytest.raises(UnicodeEncodeError):
        factory.from_wkt('GEOGCS["\ud800"]')
