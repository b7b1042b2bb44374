"""Texts written in each version, indented, and the systems a version cannot express."""
import pytest
import quarn
from conftest import corpus, example


def test_each_version(factory):
    crs = factory.from_wkt(example("geographic.wkt"))
    assert crs.to_wkt() == (
        'GEOGCS["WGS 84",DATUM["WGS_1984",SPHEROID["WGS 84",6378137,298.257223563,'
        'AUTHORITY["EPSG","7030"]],AUTHORITY["EPSG","6326"]],PRIMEM["Greenwich",0,'
        'AUTHORITY["EPSG","8901"]],UNIT["degree",0.0174532925199433,AUTHORITY["EPSG","9122"]],'
        'AXIS["Latitude",NORTH],AXIS["Longitude",EAST],AUTHORITY["EPSG","4326"]]'
    )
    assert str(crs) == crs.to_wkt("wkt1_gdal")
    assert crs.to_wkt("WKT1_ESRI") == (
        'GEOGCS["WGS_84",DATUM["D_WGS_1984",SPHEROID["WGS_1984",6378137.0,298.257223563]],'
        'PRIMEM["Greenwich",0.0],UNIT["Degree",0.0174532925199433]]'
    )
    assert factory.from_wkt(example("vertical.wkt")).to_wkt("CANONICAL") == (
        'VERT_CS["NAVD88 height",VERT_DATUM["North American Vertical Datum 1988",2005],'
        'UNIT["metre",1],AXIS["Gravity-related height",Up]]'
    )
    with pytest.raises(ValueError, match="unknown WKT version 'PROJ4'"):
        crs.to_wkt("PROJ4")
    assert crs.to_wkt("WKT2_2015").startswith('GEODCRS["WGS 84",DATUM["World Geodetic System')
    with pytest.raises(quarn.CRSError, match=r"full forms only \(WKT2_2019, WKT2_2015\), not "
                       "WKT2_2019_SIMPLIFIED$"):
        crs.to_wkt("WKT2_2019_SIMPLIFIED")


def test_wkt2_reads_back_to_an_equal_system_in_every_reading(factory):
    for code, text in corpus("gdal"):
        crs = factory.from_wkt(text)
        wkt2 = crs.to_wkt("WKT2_2019" if len(text) % 2 else "wkt2_2018")
        assert factory.from_wkt(wkt2).equals(crs) and factory.from_wkt(wkt2, "wkt2").equals(crs), code


def test_pretty_text_reads_back_to_the_same_object(factory):
    crs = factory.from_wkt(example("projected_utm_metres.wkt"))
    pretty = crs.to_wkt("CANONICAL", pretty=True)
    assert pretty.splitlines()[1:3] == ['    GEOGCS["NAD83",', '        DATUM["North_American_Datum_1983",']
    assert factory.from_wkt(pretty) is crs
    assert factory.from_wkt(crs.to_wkt(pretty=True)) is factory.from_wkt(crs.to_wkt())


def test_what_a_version_cannot_express_raises_with_the_reason(factory):
    fitted = factory.from_wkt(example("fitted_horizontal_site_grid.wkt"))
    with pytest.raises(quarn.CRSError, match=r"^the system has no WKT1_GDAL text: a fitted system "
                       r"\(Local_Grid or Linear_Correction\) has no form that other programs read$"):
        fitted.to_wkt()
    assert str(fitted).startswith('FITTED_CS["Site grid",PARAM_MT["Local_Grid"')
    assert repr(fitted) == '<quarn.CRS Fitted CRS "Site grid">'
    # A canonical text over the limit raises rather than being cut; GDAL's has no limit.
    name = '"' + "n" * 250 + '"'
    long = factory.from_wkt(f"COMPD_CS[{name},GEOGCS[{name},DATUM[{name},SPHEROID[{name},6378137,"
                            f"298.26]],PRIMEM[{name},0],UNIT[{name},0.01745]],VERT_CS[{name},"
                            f"VERT_DATUM[{name},2005],UNIT[{name},1]]]")
    with pytest.raises(quarn.CRSError, match="does not fit in 2047 characters"):
        long.to_wkt("CANONICAL")
    assert len(long.to_wkt()) > 2047
