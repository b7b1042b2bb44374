"""pyproj reads every sample system from a quarn CRS as the same system as the original."""
import pyproj
import quarn
from conftest import corpus


def test_pyproj_reads_each_sample_system_as_the_original(factory):
    pyproj.set_use_global_context(True)
    try:
        different = []
        for code, text in corpus("gdal"):
            crs = factory.from_wkt(text)
            original = pyproj.CRS.from_wkt(text)
            if not (pyproj.CRS.from_user_input(crs) == original
                    and pyproj.CRS.from_wkt(crs.to_wkt()) == original):
                different.append(code)
        assert different == []
        # And quarn reads pyproj's objects.
        assert quarn.CRS(pyproj.CRS.from_epsg(2056)) is quarn.CRS(
            pyproj.CRS.from_epsg(2056).to_wkt("WKT1_GDAL"))
    finally:
        pyproj.set_use_global_context(False)
