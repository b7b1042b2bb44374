"""What a CRS says it is: kind, axes, datum, ellipsoid, prime meridian, units, parts."""
import pytest
from conftest import example

KINDS = {  # type_name, is_geographic, is_projected, is_geocentric, is_vertical, is_compound
    "geographic.wkt": ("Geographic 2D CRS", True, False, False, False, False),
    "projected_us_feet.wkt": ("Projected CRS", False, True, False, False, False),
    "geocentric.wkt": ("Geocentric CRS", False, False, True, False, False),
    "vertical.wkt": ("Vertical CRS", False, False, False, True, False),
    "compound_with_height.wkt": ("Compound CRS", True, False, False, True, True),
    "local.wkt": ("Engineering CRS", False, False, False, False, False),
}


def test_kinds_and_parts(factory):
    read = lambda name: factory.from_wkt(example(name))  # noqa: E731
    for name, facts in KINDS.items():
        crs = read(name)
        assert (crs.type_name, crs.is_geographic, crs.is_projected, crs.is_geocentric,
                crs.is_vertical, crs.is_compound) == facts, name
    assert read("fitted_vertical_height_correction.wkt").type_name == "Fitted CRS"
    head, tail = read("compound_with_height.wkt").sub_crs_list
    assert (head.name, tail.name) == ("WGS 84", "height") and read("compound_with_height.wkt").geodetic_crs is head
    assert read("vertical.wkt").sub_crs_list == [] and read("vertical.wkt").geodetic_crs is None
    projected = read("projected_utm_metres.wkt")
    assert projected.geodetic_crs.name == "NAD83" and projected.geodetic_crs.geodetic_crs is projected.geodetic_crs


def test_projected_system(factory):
    crs = factory.from_wkt(example("projected_utm_metres.wkt"))
    assert crs.name == "NAD83 / UTM zone 15N"
    assert [(a.name, a.direction, a.unit_name, a.unit_conversion_factor) for a in crs.axis_info] == [
        ("Easting", "east", "metre", 1.0), ("Northing", "north", "metre", 1.0)]
    assert (crs.linear_units, crs.angular_units, crs.projection.method) == ("metre", None, "Transverse_Mercator")
    assert list(crs.projection.parameters.items()) == [
        ("latitude_of_origin", 0.0), ("central_meridian", -93.0), ("scale_factor", 0.9996),
        ("false_easting", 500000.0), ("false_northing", 0.0)]
    ellipsoid = crs.ellipsoid
    assert (ellipsoid.name, ellipsoid.semi_major_metre, ellipsoid.inverse_flattening) == (
        "GRS 1980", 6378137.0, 298.257222101)
    assert ellipsoid.semi_minor_metre == pytest.approx(6356752.314140356, abs=1e-6)
    assert (crs.datum.name, crs.datum.type_name, crs.datum.to_wgs84) == (
        "North_American_Datum_1983", "Geodetic Reference Frame", [0.0] * 7)
    with pytest.raises(AttributeError):
        crs.name = "other"


def test_geographic_and_vertical_systems(factory):
    geographic = factory.from_wkt(example("geographic.wkt"))
    assert [a.direction for a in geographic.axis_info] == ["north", "east"]
    assert (geographic.linear_units, geographic.angular_units, geographic.projection) == (
        None, "degree", None)
    meridian = geographic.prime_meridian
    assert (meridian.name, meridian.longitude, meridian.unit_name) == ("Greenwich", 0.0, "degree")
    paris = factory.from_wkt(
        'GEOGCS["NTF (Paris)",DATUM["NTF",SPHEROID["Clarke 1880 (IGN)",6378249.2,293.4660212936269]],'
        'PRIMEM["Paris",2.5969213],UNIT["grad",0.015707963267949]]')
    # WKT 1 gives the longitude of a prime meridian in degrees, whatever the unit of the axes.
    assert paris.prime_meridian.longitude == pytest.approx(2.5969213, abs=1e-12)
    vertical = factory.from_wkt(example("vertical.wkt"))
    assert (vertical.datum.name, vertical.datum.type_name, vertical.datum.datum_type) == (
        "North American Vertical Datum 1988", "Vertical Reference Frame", 2005)
    assert vertical.ellipsoid is None and vertical.linear_units == "metre"
