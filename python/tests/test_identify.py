"""Which EPSG system a CRS is, and whether two CRS mean the same system."""
import pytest
import quarn
from conftest import corpus, example


def test_identification_as_pyproj_names_it(factory):
    esri = dict(corpus("esri"))
    crs = factory.from_wkt(esri["EPSG:2003"])
    assert "AUTHORITY" not in esri["EPSG:2003"]
    assert (crs.to_epsg(), crs.to_authority(), crs.to_authority("epsg")) == (
        2003, ("EPSG", "2003"), ("EPSG", "2003"))
    assert crs.to_authority("ESRI") is None and crs.list_authority("ESRI") == []
    assert crs.to_authority("EPSG2") is None
    # Best first; equal confidence, the lower code first.
    twins = factory.from_wkt(esri["EPSG:2143"])
    assert [(m.auth_name, m.code, m.confidence) for m in twins.list_authority()] == [
        ("EPSG", "2948", 100), ("EPSG", "2143", 100)]
    assert twins.to_epsg() == 2948
    # A candidate below the least confidence asked for is not given.
    weak = factory.from_wkt(esri["EPSG:2163"])
    assert (weak.to_epsg(), weak.list_authority()) == (None, [])
    assert repr(weak.list_authority(min_confidence=0)) == (
        "[AuthorityMatchInfo(auth_name='EPSG', code='2163', confidence=25)]")
    assert weak.to_epsg(min_confidence=25) == 2163
    with pytest.raises(ValueError):
        weak.to_epsg(min_confidence=101)


def test_compounds_and_systems_without_candidates(factory):
    parts = factory.from_wkt(example("geographic.wkt")).to_wkt() + "," + example("vertical.wkt")
    compound = factory.from_wkt(f'COMPD_CS["WGS 84 + NAVD88 height",{parts}]')
    # Two codes joined are no EPSG code of their own.
    assert compound.to_authority() == ("EPSG", "4326+5703") and compound.to_epsg() is None
    assert factory.from_wkt(example("local.wkt")).list_authority(min_confidence=0) == []


def test_equals_by_meaning_and_axis_order(factory):
    # Every ESRI text of the sample means what its GDAL original means.
    gdal = dict(corpus("gdal"))
    for code, text in corpus("esri"):
        if code in gdal:
            assert factory.from_wkt(text).equals(factory.from_wkt(gdal[code])), code
    text, fresh = example("geographic.wkt"), quarn.Factory()
    lat_lon = fresh.from_wkt(text)
    lon_lat = fresh.from_wkt(text.replace('AXIS["Latitude",NORTH],\n    AXIS["Longitude",EAST]',
                                            'AXIS["Longitude",EAST],AXIS["Latitude",NORTH]'))
    assert lat_lon is not lon_lat
    assert not lat_lon.equals(lon_lat) and lat_lon.equals(lon_lat, ignore_axis_order=True)
    # Axes stated on one side only (ESRI's form states none) do not decide; a text is read
    # first.
    esri = quarn.Factory().from_wkt(lat_lon.to_wkt("WKT1_ESRI"))
    assert lat_lon.equals(esri) and lon_lat.equals(esri)
    assert lat_lon.equals(text) and lat_lon.equals("EPSG:4326")
    assert not lat_lon.equals(quarn.CRS.from_epsg(4269)) and not lat_lon.equals("not a text")
