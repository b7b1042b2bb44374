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
    assert (crs.to_authority("ESRI"), crs.list_authority("ESRI"), crs.to_authority("EPSG2")) == (None, [], None)
    # Best first; equal confidence, the lower code first.
    twins = factory.from_wkt(esri["EPSG:2143"])
    assert [(m.auth_name, m.code, m.confidence) for m in twins.list_authority()] == [
        ("EPSG", "2948", 100), ("EPSG", "2143", 100)]
    assert twins.to_epsg() == 2948
    # A candidate below the least confidence asked for is not given.
    weak = factory.from_wkt(esri["EPSG:2163"])
    assert (weak.to_epsg(), weak.list_authority(), weak.to_epsg(min_confidence=25)) == (None, [], 2163)
    assert repr(weak.list_authority(min_confidence=0)) == (
        "[AuthorityMatchInfo(auth_name='EPSG', code='2163', confidence=25)]")
    with pytest.raises(ValueError):
        weak.to_epsg(min_confidence=101)
    # Two codes joined are no EPSG code of their own; a local system has no candidate.
    parts = factory.from_wkt(example("geographic.wkt")).to_wkt() + "," + example("vertical.wkt")
    compound = factory.from_wkt(f'COMPD_CS["WGS 84 + NAVD88 height",{parts}]')
    assert (compound.to_authority(), compound.to_epsg()) == (("EPSG", "4326+5703"), None)
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
