// Projection methods and parameters under ESRI's names. ESRI writes parameter names in
// title case (False_Easting), names a few methods differently (Double_Stereographic for the
// oblique stereographic, Albers, Cassini, ...) and describes a few by other parameters (the
// one-parallel Lambert conic by its standard parallel, the polar stereographic off a pole by
// its standard parallel).
// Methods already under ESRI's names pass through unchanged.
#include "interchange/EsriNamesInternal.h"
#include "interchange/InterchangeInternal.h"

#include <quarn/model/Constants.h>
#include <quarn/model/Utf8.h>

#include <cmath>

using namespace quarn::detail;

namespace {

struct Parameters {
    std::vector<EsriParameter>& list;

    EsriParameter* Find(const char* key) {
        for (EsriParameter& parameter : list)
            if (NameKey(parameter.name) == key) return &parameter;
        return nullptr;
    }
    void Rename(const char* key, const char* name) {
        if (EsriParameter* parameter = Find(key)) parameter->name = name;
    }
    void Remove(const char* key) {
        for (auto it = list.begin(); it != list.end(); ++it)
            if (NameKey(it->name) == key) {
                list.erase(it);
                return;
            }
    }
    void Set(const char* name, double value) {
        if (EsriParameter* parameter = Find(NameKey(name).c_str()))
            parameter->value = value;
        else
            list.push_back({name, value});
    }
    double Value(const char* key, double otherwise) {
        EsriParameter* parameter = Find(key);
        return parameter != nullptr ? parameter->value : otherwise;
    }
};

// latitude_of_origin -> Latitude_Of_Origin; names with blanks (EPSG's spelling) stay.
std::string TitleCase(std::string name) {
    if (name.find(' ') != std::string::npos) return name;
    bool start = true;
    for (char& c : name) {
        if (start && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        start = c == '_';
    }
    return name;
}

// The oblique Mercator: ESRI has it on the natural origin or the centre, with the grid
// rotated only when the rectified grid angle differs from the azimuth.
void ObliqueMercator(Parameters& p, std::string& method, bool center) {
    p.Rename("latitudeofcenter", "Latitude_Of_Center");
    p.Rename("longitudeofcenter", "Longitude_Of_Center");
    const double azimuth = p.Value("azimuth", 0.0);
    if (EsriParameter* angle = p.Find("rectifiedgridangle")) {
        if (angle->value == azimuth) {
            p.Remove("rectifiedgridangle");
        } else {
            angle->name = "XY_Plane_Rotation";
            method = center ? "Rectified_Skew_Orthomorphic_Center"
                            : "Rectified_Skew_Orthomorphic_Natural_Origin";
            return;
        }
    }
    method = center ? "Hotine_Oblique_Mercator_Azimuth_Center"
                    : "Hotine_Oblique_Mercator_Azimuth_Natural_Origin";
}

// The latitude (degrees) at which a Mercator projection has the scale `k` at the equator:
// cos(phi) / sqrt(1 - e^2 sin^2(phi)) = k, so sin^2(phi) = (1 - k^2) / (1 - k^2 e^2).
bool MercatorParallel(double k, const CS_Ellipsoid* ellipsoid, double& degrees) {
    if (k == 1.0) {
        degrees = 0.0;
        return true;
    }
    if (ellipsoid == nullptr || !(k > 0.0 && k < 1.0)) return false;
    const double inverse = ellipsoid->GetInverseFlattening();
    const double f = inverse == 0.0 || std::isinf(inverse) ? 0.0 : 1.0 / inverse;
    const double e2 = f * (2.0 - f);
    degrees = std::asin(std::sqrt((1.0 - k * k) / (1.0 - k * k * e2))) * 180.0 / quarn::kPi;
    return true;
}

} // namespace

bool quarn::detail::EsriProjection(const CS_Projection& projection, const CS_Ellipsoid* ellipsoid,
                                   std::string& method, std::vector<EsriParameter>& parameters,
                                   std::string& reason) {
    method = QuarnEncodeUtf8(projection.GetClassName());
    parameters.clear();
    for (long i = 0; i < projection.GetNumParameters(); ++i) {
        const CS_ProjectionParameter* parameter = projection.GetParameter(i);
        parameters.push_back({TitleCase(QuarnEncodeUtf8(parameter->name)), parameter->value});
    }
    Parameters p{parameters};
    const std::string key = NameKey(method);
    if (key == "lambertconformalconic2sp") {
        method = "Lambert_Conformal_Conic";
    } else if (key == "lambertconformalconic1sp") {
        method = "Lambert_Conformal_Conic";
        p.Set("Standard_Parallel_1", p.Value("latitudeoforigin", 0.0));
    } else if (key == "obliquestereographic") {
        method = "Double_Stereographic";
    } else if (key == "albersconicequalarea" || key == "lambertazimuthalequalarea") {
        if (key == "albersconicequalarea") method = "Albers";
        p.Rename("latitudeofcenter", "Latitude_Of_Origin");
        p.Rename("longitudeofcenter", "Central_Meridian");
    } else if (key == "cassinisoldner") {
        method = "Cassini";
        p.Set("Scale_Factor", p.Value("scalefactor", 1.0));
    } else if (key == "polarstereographic") {
        const double latitude = p.Value("latitudeoforigin", 90.0);
        if (std::fabs(latitude) == 90.0) {
            // At a pole, under GDAL's name: PROJ reads ESRI's Polar_Stereographic_Variant_A
            // as another system than its own reading of the WKT 1 original.
            method = "Polar_Stereographic";
        } else {
            // The latitude of a variant B projection is its standard parallel.
            if (p.Value("scalefactor", 1.0) != 1.0) {
                reason = "a polar stereographic projection with both a standard parallel and "
                         "a scale factor has no ESRI form";
                return false;
            }
            p.Remove("scalefactor");
            p.Rename("latitudeoforigin", "Standard_Parallel_1");
            method = latitude > 0 ? "Stereographic_North_Pole" : "Stereographic_South_Pole";
        }
    } else if (key == "mercator1sp" || key == "mercator2sp") {
        if (key == "mercator1sp") {
            double parallel = 0.0;
            if (!MercatorParallel(p.Value("scalefactor", 1.0), ellipsoid, parallel)) {
                reason = "ESRI writes the Mercator projection by its standard parallel, which "
                         "this scale factor and ellipsoid do not give";
                return false;
            }
            p.Remove("scalefactor");
            p.Set("Standard_Parallel_1", parallel);
        }
        if (p.Value("latitudeoforigin", 0.0) == 0.0) p.Remove("latitudeoforigin");
        method = "Mercator";
    } else if (key == "hotineobliquemercator") {
        ObliqueMercator(p, method, false);
    } else if (key == "hotineobliquemercatorazimuthcenter") {
        ObliqueMercator(p, method, true);
    } else if (key == "equirectangular") {
        method = "Equidistant_Cylindrical";
        if (p.Value("latitudeoforigin", 0.0) == 0.0) p.Remove("latitudeoforigin");
    }
    return true;
}
