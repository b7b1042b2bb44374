// The element templates of the WKT every class writes: `%s` stands for a name or a child's
// text, `%.15G` for a floating value and `%d` for a whole number. Classes fill them through
// WktComposer, one placeholder after another, so that each child's text is taken into
// the composition before the next child is asked for its own (texts of one class share one
// buffer). Templates that do not end in "]" are continued with kNextTemplate per repeated
// child and then closed with "]".
#ifndef QUARN_MODEL_WKTTEMPLATES_H
#define QUARN_MODEL_WKTTEMPLATES_H

namespace quarn::detail {

// A template measured once, when the library is compiled: the length of the text before each
// placeholder and of each placeholder, so that filling it copies the text without scanning it.
class WktTemplate {
public:
    static constexpr int kMostPlaceholders = 12;

    constexpr explicit WktTemplate(const wchar_t* text) : m_text(text) {
        int i = 0;
        for (;;) {
            const int start = i;
            while (text[i] != L'\0' && text[i] != L'%')
                ++i;
            if (text[i] == L'\0') break;
            m_literal[m_count] = static_cast<unsigned char>(i - start);
            // A placeholder runs from the percent sign to its conversion letter (s, G or d).
            const int mark = i;
            for (++i; text[i] != L'\0'; ++i) {
                const wchar_t c = text[i];
                if ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z')) {
                    ++i;
                    break;
                }
            }
            m_placeholder[m_count] = static_cast<unsigned char>(i - mark);
            ++m_count; // more than kMostPlaceholders does not compile
        }
        m_length = i;
    }

    const wchar_t* Text() const { return m_text; }
    int Length() const { return m_length; }
    int Placeholders() const { return m_count; }
    // The text before placeholder `k`, and the placeholder's own length.
    int Literal(int k) const { return m_literal[k]; }
    int Placeholder(int k) const { return m_placeholder[k]; }

private:
    const wchar_t* m_text;
    int m_length = 0;
    int m_count = 0;
    unsigned char m_literal[kMostPlaceholders] = {};
    unsigned char m_placeholder[kMostPlaceholders] = {};
};

constexpr WktTemplate kUnitTemplate{L"UNIT[\"%s\",%.15G]"};
constexpr WktTemplate kSpheroidTemplate{L"SPHEROID[\"%s\",%.15G,%.15G]"};
constexpr WktTemplate kPrimeMeridianTemplate{L"PRIMEM[\"%s\",%.15G]"};
constexpr WktTemplate kDatumTemplate{
    L"DATUM[\"%s\",%s ,TOWGS84[%.15G, %.15G, %.15G, %.15G, %.15G, %.15G, %.15G]]"};
// The datum of a name that contains "3DIM" also names its two grid files.
constexpr WktTemplate kDatum3DimTemplate{
    L"DATUM[\"%s\",%s ,TOWGS84[%.15G, %.15G, %.15G, %.15G, %.15G, %.15G, "
    L"%.15G],THREEDIM[\"%s\",\"%s\"]]"};
constexpr WktTemplate kVerticalDatumTemplate{L"VERT_DATUM[\"%s\",%d]"};
constexpr WktTemplate kLocalDatumTemplate{L"LOCAL_DATUM[\"%s\",%d]"};
constexpr WktTemplate kProjectionTemplate{L"PROJECTION[\"%s\"]"};
constexpr WktTemplate kParameterTemplate{L"PARAMETER[\"%s\",%.15G]"};
constexpr WktTemplate kAxisTemplate{L"AXIS[\"%s\",%s]"};
constexpr WktTemplate kGeographicTemplate{L"GEOGCS[\"%s\",%s,%s,%s"};
constexpr WktTemplate kGeocentricTemplate{L"GEOCCS[\"%s\",%s,%s,%s"};
constexpr WktTemplate kProjectedTemplate{L"PROJCS[\"%s\",%s,%s,%s"};
constexpr WktTemplate kVerticalTemplate{L"VERT_CS[\"%s\",%s,%s,%s]"};
constexpr WktTemplate kCompoundTemplate{L"COMPD_CS[\"%s\",%s,%s]"};
constexpr WktTemplate kLocalTemplate{L"LOCAL_CS[\"%s\",%s,%s"};
constexpr WktTemplate kFittedTemplate{L"FITTED_CS[\"%s\",%s,%s]"};
// Four TAB characters follow each comma between the parameters of a PARAM_MT.
constexpr WktTemplate kLocalGridTemplate{
    L"PARAM_MT[\"Local_Grid\",\t\t\t\tPARAMETER[\"E0\",%.15G],\t\t\t\tPARAMETER[\"N0\",%.15G],"
    L"\t\t\t\tPARAMETER[\"K\",%.15G],\t\t\t\tPARAMETER[\"DE\",%.15G],\t\t\t\tPARAMETER["
    L"\"DN\",%.15G],\t\t\t\tPARAMETER[\"Beta\",%.15G]]"};
constexpr WktTemplate kLinearCorrectionTemplate{
    L"PARAM_MT[\"Linear_Correction\",\t\t\t\tPARAMETER[\"dH\",%.15G],\t\t\t\tPARAMETER["
    L"\"Gl\",%.15G],\t\t\t\tPARAMETER[\"Gg\",%.15G],\t\t\t\tPARAMETER[\"L0\",%.15G],\t\t\t\t"
    L"PARAMETER[\"G0\",%.15G]]"};
// The continuation of an open template: one repeated child (an axis, a parameter).
constexpr WktTemplate kNextTemplate{L",%s"};
// The closing of an open template.
constexpr const wchar_t* kCloseTemplate = L"]";
// The report of a compound system whose text does not fit.
constexpr const wchar_t* kWktOverflowMessage = L"WKT length: %d > 2048";

} // namespace quarn::detail

#endif
