// The element templates of the WKT every class writes: `%s` stands for a name or a child's
// text, `%.15G` for a floating value and `%d` for a whole number. Classes fill them through
// QuarnWktComposer, one placeholder after another, so that each child's text is taken into
// the composition before the next child is asked for its own (texts of one class share one
// buffer). Templates that do not end in "]" are continued with kQuarnWktNext per repeated
// child and then closed with "]".
#ifndef QUARN_MODEL_WKTTEMPLATES_H
#define QUARN_MODEL_WKTTEMPLATES_H

constexpr const wchar_t* kQuarnWktUnit = L"UNIT[\"%s\",%.15G]";
constexpr const wchar_t* kQuarnWktSpheroid = L"SPHEROID[\"%s\",%.15G,%.15G]";
constexpr const wchar_t* kQuarnWktPrimeMeridian = L"PRIMEM[\"%s\",%.15G]";
constexpr const wchar_t* kQuarnWktDatum =
    L"DATUM[\"%s\",%s ,TOWGS84[%.15G, %.15G, %.15G, %.15G, %.15G, %.15G, %.15G]]";
// The datum of a name that contains "3DIM" also names its two grid files.
constexpr const wchar_t* kQuarnWktDatum3Dim =
    L"DATUM[\"%s\",%s ,TOWGS84[%.15G, %.15G, %.15G, %.15G, %.15G, %.15G, "
    L"%.15G],THREEDIM[\"%s\",\"%s\"]]";
constexpr const wchar_t* kQuarnWktVerticalDatum = L"VERT_DATUM[\"%s\",%d]";
constexpr const wchar_t* kQuarnWktLocalDatum = L"LOCAL_DATUM[\"%s\",%d]";
constexpr const wchar_t* kQuarnWktProjection = L"PROJECTION[\"%s\"]";
constexpr const wchar_t* kQuarnWktParameter = L"PARAMETER[\"%s\",%.15G]";
constexpr const wchar_t* kQuarnWktAxis = L"AXIS[\"%s\",%s]";
constexpr const wchar_t* kQuarnWktGeographic = L"GEOGCS[\"%s\",%s,%s,%s";
constexpr const wchar_t* kQuarnWktGeocentric = L"GEOCCS[\"%s\",%s,%s,%s";
constexpr const wchar_t* kQuarnWktProjected = L"PROJCS[\"%s\",%s,%s,%s";
constexpr const wchar_t* kQuarnWktVertical = L"VERT_CS[\"%s\",%s,%s,%s]";
constexpr const wchar_t* kQuarnWktCompound = L"COMPD_CS[\"%s\",%s,%s]";
constexpr const wchar_t* kQuarnWktLocal = L"LOCAL_CS[\"%s\",%s,%s";
constexpr const wchar_t* kQuarnWktFitted = L"FITTED_CS[\"%s\",%s,%s]";
// Four TAB characters follow each comma between the parameters of a PARAM_MT.
constexpr const wchar_t* kQuarnWktLocalGrid =
    L"PARAM_MT[\"Local_Grid\",\t\t\t\tPARAMETER[\"E0\",%.15G],\t\t\t\tPARAMETER[\"N0\",%.15G],"
    L"\t\t\t\tPARAMETER[\"K\",%.15G],\t\t\t\tPARAMETER[\"DE\",%.15G],\t\t\t\tPARAMETER["
    L"\"DN\",%.15G],\t\t\t\tPARAMETER[\"Beta\",%.15G]]";
constexpr const wchar_t* kQuarnWktLinearCorrection =
    L"PARAM_MT[\"Linear_Correction\",\t\t\t\tPARAMETER[\"dH\",%.15G],\t\t\t\tPARAMETER["
    L"\"Gl\",%.15G],\t\t\t\tPARAMETER[\"Gg\",%.15G],\t\t\t\tPARAMETER[\"L0\",%.15G],\t\t\t\t"
    L"PARAMETER[\"G0\",%.15G]]";
// The continuation of an open template: one repeated child (an axis, a parameter).
constexpr const wchar_t* kQuarnWktNext = L",%s";
// The closing of an open template.
constexpr const wchar_t* kQuarnWktClose = L"]";
// The report of a compound system whose text does not fit.
constexpr const wchar_t* kQuarnWktOverflowMessage = L"WKT length: %d > 2048";

#endif
