"""CRS objects from each kind of input: WKT of each dialect, EPSG codes, other objects."""
import pyproj
import pytest
import quarn
from conftest import corpus, example

UTM = example("projected_utm_metres.wkt")
ESRI_HEIGHT = (
    'VERTCS["EGM2008_height",VDATUM["EGM2008_Geoid"],PARAMETER["Vertical_Shift",0.0],'
    'PARAMETER["Direction",1.0],UNIT["Meter",1.0]]'
)


def test_auto_reads_every_dialect_as_its_own_reader_does(factory):
    for dialect in ("gdal", "esri"):
        for code, text in corpus(dialect)[:80]:
            assert factory.from_wkt(text) is factory.from_wkt(text, dialect), code
    # Constructs of one dialect: a GDAL extension, ESRI's vertical system.
    merc = pyproj.CRS.from_epsg(3857).to_wkt("WKT1_GDAL")
    assert "EXTENSION" in merc and factory.from_wkt(merc) is factory.from_wkt(merc, "gdal")
    height = factory.from_wkt(ESRI_HEIGHT)
    assert height is factory.from_wkt(ESRI_HEIGHT, "esri") and height.is_vertical
    with pytest.raises(quarn.WktError, match="unexpected VERTCS"):
        factory.from_wkt(ESRI_HEIGHT, "gdal")
    # WKT 2 as pyproj writes it, in either form.
    swiss = pyproj.CRS.from_epsg(2056)
    for version in ("WKT2_2019", "WKT2_2015"):
        wkt2 = swiss.to_wkt(version)
        assert factory.from_wkt(wkt2) is factory.from_wkt(wkt2, "wkt2")
        assert factory.from_wkt(wkt2).equals(factory.from_wkt(swiss.to_wkt("WKT1_GDAL")))
    # Two systems, the second a VERTCS, are ESRI's compound.
    geographic = factory.from_wkt(example("geographic.wkt"))
    compound = factory.from_wkt(example("geographic.wkt") + "," + ESRI_HEIGHT)
    assert compound.sub_crs_list == [geographic, height] and compound.name == "WGS 84 + EGM2008_height"


def test_text_bytes_and_dialect_names(factory):
    crs = factory.from_wkt(UTM)
    assert factory.from_wkt(UTM.encode()) is crs
    assert all(factory.from_wkt(UTM, dialect=name) is crs for name in ("canonical", "GDAL", "wkt1_esri", "Auto"))
    with pytest.raises(ValueError, match="unknown dialect 'wkt3'"):
        factory.from_wkt(UTM, "wkt3")
    with pytest.raises(quarn.WktError, match="^1:1: error: unexpected PROJCS; expected GEOGCRS"):
        factory.from_wkt(UTM, "wkt2")
    with pytest.raises(TypeError):
        factory.from_wkt(42)


@pytest.mark.epsg
def test_epsg_codes_and_other_objects(factory):
    crs = quarn.CRS.from_epsg(26915)
    assert crs.name == "NAD83 / UTM zone 15N" and quarn.CRS(UTM) is crs
    for same in (quarn.CRS.from_epsg("26915"), quarn.CRS.from_epsg("epsg:26915"), quarn.CRS(crs),
                 quarn.CRS("EPSG:26915"), quarn.CRS(26915), quarn.CRS.from_user_input(26915)):
        assert same is crs
    assert quarn.CRS.from_epsg(5703).is_vertical and quarn.CRS.from_epsg(7405).is_compound
    with pytest.raises(TypeError):
        quarn.CRS.from_epsg(True)
    # Another factory's object is read again into this one; pyproj's CRS is asked for its
    # GDAL-dialect text; an object whose to_wkt() takes no version gives its text.
    assert factory.from_user_input(crs) is factory.from_wkt(UTM)
    assert quarn.CRS(pyproj.CRS.from_epsg(2056)) is quarn.CRS(pyproj.CRS.from_epsg(2056).to_wkt("WKT1_GDAL"))

    class WritesOneText:
        def to_wkt(self):
            return UTM

    assert quarn.CRS(WritesOneText()) is crs
    with pytest.raises(quarn.CRSError, match="cannot make a CRS from an object of type float"):
        quarn.CRS(1.5)
