// The rule actions of the WKT grammar: what the parser does each time it reduces by a rule
// outside a trial parse, and CreateFromWKT, which runs the parser on a text. Rules are known
// by the names wkt/WktGrammar.y gives them. Children are reduced before their parents, so
// every action finds the objects of its children already created.
#include <quarn/factory/Factory.h>
#include <quarn/model/Constants.h>
#include <quarn/model/ModuleSetup.h>
#include <quarn/model/Text.h>
#include <quarn/wkt/WktParser.h>

#include "factory/ByObjectType.h"
#include "wkt/WktReader.h"
#include "wkt/WktRules.h"

#include <cwchar>
#include <memory>
#include <wchar.h> // wcsnlen (POSIX)

using namespace quarn::detail;

namespace {

// The longest grid-file name the reader keeps: the field holds 255 characters with its
// terminator.
constexpr int kGridFileNameLimit = 254;

// The value of an AUTHORITY clause.
struct AuthorityPair {
    const wchar_t* name;
    const wchar_t* code;
};

using AxisList = CBASESequence<CS_AxisInfo, 3>;
using ParameterList = CBASESequence<CS_ProjectionParameter, 11>;

// Names below are token texts, which stay valid until the parse ends: the values hold them
// as they stand, and the records a create operation takes are filled only when it runs.
// A record is a kilobyte of wide characters; the values are a few words.

// The value of an AXIS element.
struct AxisValue {
    const wchar_t* name;
    std::int32_t orientation;
};

// The value of a PARAMETER element.
struct ParameterValue {
    const wchar_t* name;
    double value;
};

// The value of a TOWGS84 element: the seven numbers as the record holds them.
struct ShiftValue {
    double values[7];
};

// The value of a parameter list. Like the record list it fills, it keeps the first 11
// parameters and drops the rest.
struct ParameterValues {
    long count;
    ParameterValue items[ParameterList::Capacity()];
};

// The value of a PARAM_MT element: its classification name and its parameters (null when
// it has none).
struct YY_ParamMT {
    const wchar_t* classificationName;
    const ParameterValues* parameters;
};

using ParamMTList = CBASESequence<YY_ParamMT, 4>;

template <class T> const T* As(const WktValue& value) {
    return static_cast<const T*>(WktGetObject(value));
}

template <class T> T* Value(const WktValue& value) {
    return static_cast<T*>(WktGetPointer(value));
}

// The axis record of an axis value.
CQuarnAxisInfo Axis(const WktValue& value) {
    const AxisValue* axis = Value<AxisValue>(value);
    return CQuarnAxisInfo(axis->name, axis->orientation);
}

// Records a create operation takes, lent for the length of one call. A record is a
// kilobyte of wide characters; the thread keeps a set whose records are all cleared, so only
// the characters a text fills are written, and they are cleared again afterwards. The
// operation sees the same bytes as in new records: the rest of each name field, and every
// record not filled, are terminators. A parse started from inside a create operation (a
// host's override) finds the thread's set in use and gets a new one of its own.
template <class Records> class Borrowed {
public:
    Borrowed() {
        ThreadRecords& kept = Thread();
        if (!kept.busy) {
            kept.busy = true;
            m_kept = &kept;
            m_records = &kept.records;
        } else {
            m_own.reset(new Records());
            m_records = m_own.get();
        }
    }
    ~Borrowed() {
        if (m_kept != nullptr) m_kept->busy = false;
    }
    Borrowed(const Borrowed&) = delete;
    Borrowed& operator=(const Borrowed&) = delete;

    Records& Get() { return *m_records; }
    // Whether the records are the thread's, to be cleared before they go back.
    bool Kept() const { return m_kept != nullptr; }

private:
    struct ThreadRecords {
        Records records{};
        bool busy = false;
    };
    static ThreadRecords& Thread() {
        static thread_local ThreadRecords kept;
        return kept;
    }

    ThreadRecords* m_kept = nullptr;
    Records* m_records = nullptr;
    std::unique_ptr<Records> m_own;
};

// Writes a text into a cleared name field, at most 255 characters.
void FillName(wchar_t (&field)[kQuarnTextField], const wchar_t* text) {
    if (text != nullptr)
        std::wmemcpy(field, text, ::wcsnlen(text, static_cast<std::size_t>(kQuarnTextLimit)));
}
// Clears what FillName wrote.
void ClearName(wchar_t (&field)[kQuarnTextField]) {
    std::wmemset(field, L'\0', ::wcsnlen(field, static_cast<std::size_t>(kQuarnTextLimit)));
}

// The parameter record list of a create operation, filled from a parameter list value.
class FilledParameters {
public:
    explicit FilledParameters(const ParameterValues& values) {
        ParameterList& list = m_list.Get();
        list.Resize(values.count);
        for (long i = 0; i < values.count; ++i) {
            list[i].value = values.items[i].value;
            FillName(list[i].name, values.items[i].name);
        }
    }
    ~FilledParameters() {
        ParameterList& list = m_list.Get();
        if (!m_list.Kept()) return;
        for (long i = 0; i < list.GetSize(); ++i) {
            list[i].value = 0.0;
            ClearName(list[i].name);
        }
        list.Resize(0);
    }

    const ParameterList& List() { return m_list.Get(); }

private:
    Borrowed<ParameterList> m_list;
};

// The axis records of a create operation: those of the text's axis values, or the library's
// default records where the text has none.
class FilledAxes {
public:
    ~FilledAxes() {
        if (!m_axes.Kept()) return;
        for (CS_AxisInfo& axis : m_axes.Get().records) {
            axis.orientation = 0;
            ClearName(axis.name);
        }
    }

    // The record of the axis value in `value`, in the place `slot` (0 to 2).
    const CS_AxisInfo& Of(const WktValue& value, int slot) {
        const AxisValue* axis = Value<AxisValue>(value);
        CS_AxisInfo& record = m_axes.Get().records[slot];
        FillName(record.name, axis->name);
        record.orientation = axis->orientation;
        return record;
    }
    static const CS_AxisInfo& Default(int index) { return QuarnDefaultAxes()[index]; }

private:
    struct Three {
        CS_AxisInfo records[3];
    };
    Borrowed<Three> m_axes;
};

// The shift record of a create operation: the seven numbers of the text's TOWGS84 value in
// a record of the thread's whose area of use is never written, so it stays empty as in a new
// record.
class FilledShift {
public:
    const CS_WGS84ConversionInfo& Of(const WktValue& value) {
        const ShiftValue* shift = Value<ShiftValue>(value);
        CS_WGS84ConversionInfo& record = m_shift.Get();
        record.Dx = shift->values[0];
        record.Dy = shift->values[1];
        record.Dz = shift->values[2];
        record.Ex = shift->values[3];
        record.Ey = shift->values[4];
        record.Ez = shift->values[5];
        record.Ppm = shift->values[6];
        return record;
    }

private:
    Borrowed<CS_WGS84ConversionInfo> m_shift;
};

// Writes an AUTHORITY clause into the object the factory returned, even when that is an
// existing equal object.
void Authority(const CS_Info* object, const WktValue& authority) {
    const AuthorityPair* pair = Value<AuthorityPair>(authority);
    if (object != nullptr && pair != nullptr)
        AssignAuthority(const_cast<CS_Info*>(object), pair->name, pair->code);
}

// Appends `item` to a list value; a list at its capacity keeps what it has and the item is
// dropped (a fourth axis, a twelfth parameter, a fifth PARAM_MT).
template <class List, class Item, class Copy> void Append(List* list, const Item& item, Copy copy) {
    long count = list->GetSize();
    if (list->Resize(count + 1)) copy(&(*list)[count], &item);
}

// Copies at most `limit` characters of `text` into a grid-file name field.
void CopyGridFileName(wchar_t (&field)[kQuarnTextField], const wchar_t* text) {
    int i = 0;
    for (; text != nullptr && i < kGridFileNameLimit && text[i] != L'\0'; ++i)
        field[i] = text[i];
    for (; i < kQuarnTextField; ++i)
        field[i] = L'\0';
}

// The value of the PARAM_MT parameter named exactly `name`, or `fallback`. The names
// looked up are short: a name cut at 255 characters matches one exactly when the whole
// name does.
double Lookup(const YY_ParamMT& paramMT, const wchar_t* name, double fallback) {
    if (paramMT.parameters == nullptr) return fallback;
    for (long i = 0; i < paramMT.parameters->count; ++i) {
        const ParameterValue& parameter = paramMT.parameters->items[i];
        if (std::wcscmp(parameter.name, name) == 0) return parameter.value;
    }
    return fallback;
}

} // namespace

bool quarn::detail::WktRulePassesValueOn(WktRule rule) {
    switch (rule) {
    case kRuleHorizontalGeographic:
    case kRuleHorizontalProjected:
    case kRuleSemiMajorAxis:
    case kRuleInverseFlattening:
    case kRuleLongitude:
    case kRuleConversionFactor:
    case kRuleLbfFile:
    case kRuleCopFile:
    case kRuleDatumType:
    case kRuleHeadLocal:
    case kRuleHeadHorizontal:
    case kRuleTailVertical:
    case kRuleDx:
    case kRuleDy:
    case kRuleDz:
    case kRuleEx:
    case kRuleEy:
    case kRuleEz:
    case kRulePpm:
    case kRuleToBase:
    case kRuleBaseHorizontal:
    case kRuleBaseVertical:
    case kRuleName:
    case kRuleNumberReal:
    case kRuleCode:
    case kRuleClassificationName:
    case kRuleValue:
        return true;
    default:
        return false;
    }
}

void quarn::detail::RunWktAction(CQuarnWKTCoordinateSystemParser& parser, int number, WktValue* rhs,
                                 WktValue& result) {
    const WktRule rule = WktRuleName(number);
    CQuarnCoordinateSystemFactory* factory = parser.GetFactory();
    WktParserState& state = WktParserAccess::State(parser);
    // $n of the rule's right-hand side, read as the kind its symbol holds.
    auto text = [rhs](int n) { return WktGetText(rhs[n - 1]); };
    auto real = [rhs](int n) { return WktGetReal(rhs[n - 1]); };
    auto integer = [rhs](int n) { return WktGetInteger(rhs[n - 1]); };
    auto value = [rhs](int n) -> const WktValue& { return rhs[n - 1]; };
    auto set = [&result](const CS_Info* object) { WktSetObject(result, object); };
    auto keep = [&result](void* object) { WktSetPointer(result, object); };

    // Rules that only pass a value on, or carry a plain token value.
    if (WktRulePassesValueOn(rule)) {
        result = value(1);
        return;
    }
    switch (rule) {
    case kRuleTopHorizontal:
    case kRuleTopGeocentric:
    case kRuleTopVertical:
    case kRuleTopCompound:
    case kRuleTopFitted:
    case kRuleTopLocal:
        parser.SetResult(As<CS_CoordinateSystem>(value(1)));
        return;
    case kRuleNorth:
        WktSetInteger(result, CS_AO_North);
        return;
    case kRuleSouth:
        WktSetInteger(result, CS_AO_South);
        return;
    case kRuleEast:
        WktSetInteger(result, CS_AO_East);
        return;
    case kRuleWest:
        WktSetInteger(result, CS_AO_West);
        return;
    case kRuleUp:
        WktSetInteger(result, CS_AO_Up);
        return;
    case kRuleDown:
        WktSetInteger(result, CS_AO_Down);
        return;
    case kRuleOther:
        WktSetInteger(result, CS_AO_Other);
        return;
    case kRuleNumberInteger:
        WktSetReal(result, static_cast<double>(integer(1)));
        return;
    default:
        break;
    }

    // Rules that build value objects; the parser keeps them until it is destroyed.
    switch (rule) {
    case kRuleAuthority:
        keep(state.NewValue<AuthorityPair>(text(3), text(5)));
        return;
    case kRuleGridFiles: {
        CQuarn3DIMInfo* files = state.NewValue<CQuarn3DIMInfo>();
        CopyGridFileName(files->LBFFileName, text(3));
        CopyGridFileName(files->COPFileName, text(5));
        keep(files);
        return;
    }
    case kRuleAxis:
        keep(state.NewValue<AxisValue>(text(3), integer(5)));
        return;
    case kRuleShift: {
        // The rotations are held with the opposite sign to the one written.
        keep(state.NewValue<ShiftValue>(
            ShiftValue{{real(3), real(5), real(7), -real(9), -real(11), -real(13), real(15)}}));
        return;
    }
    case kRuleAxisListFirst: {
        AxisList* list = state.NewValue<AxisList>();
        list->Resize(1);
        CQuarnAxisInfo axis = Axis(value(1));
        CopyAxisInfo(&(*list)[0], &axis);
        keep(list);
        return;
    }
    case kRuleAxisListNext:
        result = value(1);
        Append(Value<AxisList>(value(1)), Axis(value(3)), CopyAxisInfo);
        state.DropValue(WktGetPointer(value(3))); // copied into the list
        return;
    case kRuleParamMtParameters:
        keep(state.NewValue<YY_ParamMT>(text(3), Value<ParameterValues>(value(5))));
        return;
    case kRuleParamMt:
        keep(state.NewValue<YY_ParamMT>(text(3), nullptr));
        return;
    case kRuleParameter:
        keep(state.NewValue<ParameterValue>(text(3), real(5)));
        return;
    case kRuleParameterListFirst: {
        ParameterValues* list = state.NewValue<ParameterValues>();
        list->items[0] = *Value<ParameterValue>(value(1));
        list->count = 1;
        keep(list);
        return;
    }
    case kRuleParameterListNext: {
        result = value(1);
        ParameterValues* list = Value<ParameterValues>(value(1));
        if (list->count < ParameterList::Capacity())
            list->items[list->count++] = *Value<ParameterValue>(value(3));
        state.DropValue(WktGetPointer(value(3))); // copied into the list
        return;
    }
    case kRuleParamMtListFirst: {
        ParamMTList* list = state.NewValue<ParamMTList>();
        list->Resize(1);
        (*list)[0] = *Value<YY_ParamMT>(value(1));
        keep(list);
        return;
    }
    case kRuleParamMtListNext:
        result = value(1);
        Append(Value<ParamMTList>(value(1)), *Value<YY_ParamMT>(value(3)),
               [](YY_ParamMT* to, const YY_ParamMT* from) { *to = *from; });
        state.DropValue(WktGetPointer(value(3))); // copied into the list
        return;
    default:
        break;
    }

    // Rules that create objects through the factory; without a factory they give nothing.
    if (factory == nullptr) return;
    const ParameterList& noParameters = QuarnDefaultParameters();
    switch (rule) {
    case kRuleProjectedAxes:
    case kRuleProjected:
    case kRuleProjectedAxesAuthority:
    case kRuleProjectedAuthority: {
        bool axes = rule == kRuleProjectedAxes || rule == kRuleProjectedAxesAuthority;
        FilledAxes filled;
        set(factory->CreateProjectedCoordinateSystem(
            text(3), As<CS_GeographicCoordinateSystem>(value(5)), As<CS_Projection>(value(7)),
            As<CS_LinearUnit>(value(9)), axes ? filled.Of(value(11), 0) : FilledAxes::Default(0),
            axes ? filled.Of(value(13), 1) : FilledAxes::Default(1)));
        if (rule == kRuleProjectedAxesAuthority) Authority(result.object, value(15));
        if (rule == kRuleProjectedAuthority) Authority(result.object, value(11));
        return;
    }
    case kRuleProjectionParameters: {
        FilledParameters parameters(*Value<ParameterValues>(value(6)));
        set(factory->CreateProjection(L"", text(3), parameters.List()));
        return;
    }
    case kRuleProjection:
        set(factory->CreateProjection(L"", text(3), noParameters));
        return;
    case kRuleProjectionAuthorityParameters: {
        FilledParameters parameters(*Value<ParameterValues>(value(8)));
        set(factory->CreateProjection(L"", text(3), parameters.List()));
        Authority(result.object, value(5));
        return;
    }
    case kRuleProjectionAuthority:
        set(factory->CreateProjection(L"", text(3), noParameters));
        Authority(result.object, value(5));
        return;
    case kRuleGeographicAxes:
    case kRuleGeographic:
    case kRuleGeographicAxesAuthority:
    case kRuleGeographicAuthority: {
        bool axes = rule == kRuleGeographicAxes || rule == kRuleGeographicAxesAuthority;
        FilledAxes filled;
        set(factory->CreateGeographicCoordinateSystem(
            text(3), As<CS_AngularUnit>(value(9)), As<CS_HorizontalDatum>(value(5)),
            As<CS_PrimeMeridian>(value(7)), axes ? filled.Of(value(11), 0) : FilledAxes::Default(0),
            axes ? filled.Of(value(13), 1) : FilledAxes::Default(1)));
        if (rule == kRuleGeographicAxesAuthority) Authority(result.object, value(15));
        if (rule == kRuleGeographicAuthority) Authority(result.object, value(11));
        return;
    }
    case kRuleDatumShift:
    case kRuleDatum:
    case kRuleDatumShiftAuthority:
    case kRuleDatumAuthority:
    case kRuleDatumShiftGridFiles: {
        bool shifted = rule == kRuleDatumShift || rule == kRuleDatumShiftAuthority ||
                       rule == kRuleDatumShiftGridFiles;
        FilledShift filled;
        const CS_WGS84ConversionInfo& shift =
            shifted ? filled.Of(value(7)) : QuarnDefaultWGS84ConversionInfo();
        const CS_3DIMInfo& files = rule == kRuleDatumShiftGridFiles
                                       ? *Value<CQuarn3DIMInfo>(value(9))
                                       : QuarnDefault3DIMInfo();
        set(factory->CreateHorizontalDatum(text(3), 1001, As<CS_Ellipsoid>(value(5)), shift,
                                           files));
        if (rule == kRuleDatumShiftAuthority) Authority(result.object, value(9));
        if (rule == kRuleDatumAuthority) Authority(result.object, value(7));
        return;
    }
    case kRuleSpheroid:
    case kRuleSpheroidAuthority:
        // A third number above 500 can only be a semi-minor axis, not an inverse flattening.
        if (real(7) > 500.0)
            set(factory->CreateEllipsoid(text(3), real(5), real(7), nullptr));
        else
            set(factory->CreateFlattenedSphere(text(3), real(5), real(7), nullptr));
        if (rule == kRuleSpheroidAuthority) Authority(result.object, value(9));
        return;
    case kRulePrimeMeridian:
    case kRulePrimeMeridianAuthority:
        // The longitude is read in degrees and kept in radians.
        set(factory->CreatePrimeMeridian(text(3), nullptr, real(5) * quarn::kPi / 180.0));
        if (rule == kRulePrimeMeridianAuthority) Authority(result.object, value(7));
        return;
    case kRuleAngularUnit:
    case kRuleAngularUnitAuthority:
        set(factory->CreateAngularUnit(text(3), real(5)));
        if (rule == kRuleAngularUnitAuthority) Authority(result.object, value(7));
        return;
    case kRuleLinearUnit:
    case kRuleLinearUnitAuthority:
        set(factory->CreateLinearUnit(text(3), real(5)));
        if (rule == kRuleLinearUnitAuthority) Authority(result.object, value(7));
        return;
    case kRuleGeocentricAxes:
    case kRuleGeocentric:
    case kRuleGeocentricAxesAuthority:
    case kRuleGeocentricAuthority: {
        bool axes = rule == kRuleGeocentricAxes || rule == kRuleGeocentricAxesAuthority;
        FilledAxes filled;
        set(factory->CreateGeocentricCoordinateSystem(
            text(3), As<CS_LinearUnit>(value(9)), As<CS_HorizontalDatum>(value(5)),
            As<CS_PrimeMeridian>(value(7)), axes ? filled.Of(value(11), 0) : FilledAxes::Default(0),
            axes ? filled.Of(value(13), 1) : FilledAxes::Default(1),
            axes ? filled.Of(value(15), 2) : FilledAxes::Default(2)));
        if (rule == kRuleGeocentricAxesAuthority) Authority(result.object, value(17));
        if (rule == kRuleGeocentricAuthority) Authority(result.object, value(11));
        return;
    }
    case kRuleVerticalAxis:
    case kRuleVertical:
    case kRuleVerticalAxisAuthority:
    case kRuleVerticalAuthority: {
        bool axis = rule == kRuleVerticalAxis || rule == kRuleVerticalAxisAuthority;
        FilledAxes filled;
        set(factory->CreateVerticalCoordinateSystem(
            text(3), As<CS_VerticalDatum>(value(5)), As<CS_LinearUnit>(value(7)),
            axis ? filled.Of(value(9), 2) : FilledAxes::Default(2)));
        if (rule == kRuleVerticalAxisAuthority) Authority(result.object, value(11));
        if (rule == kRuleVerticalAuthority) Authority(result.object, value(9));
        return;
    }
    case kRuleVerticalDatum:
    case kRuleVerticalDatumAuthority:
        set(factory->CreateVerticalDatum(text(3), integer(5)));
        if (rule == kRuleVerticalDatumAuthority) Authority(result.object, value(7));
        return;
    case kRuleCompound:
    case kRuleCompoundAuthority: {
        // A compound needs both parts; a missing or unsuitable part gives no system.
        const CS_CoordinateSystem* head = As<CS_CoordinateSystem>(value(5));
        const CS_CoordinateSystem* tail = As<CS_CoordinateSystem>(value(7));
        if (head == nullptr || tail == nullptr) return;
        set(factory->CreateCompoundCoordinateSystem(text(3), head, tail));
        if (rule == kRuleCompoundAuthority) Authority(result.object, value(9));
        return;
    }
    case kRuleHeadFitted:
    case kRuleTailFitted: {
        // A head must be a horizontal fit, a tail a vertical fit.
        const CS_Info* fitted = WktGetObject(value(1));
        long wanted = rule == kRuleHeadFitted ? kQuarnFittedHorizontalCS : kQuarnFittedVerticalCS;
        if (fitted != nullptr && fitted->GetObjectType() == wanted) set(fitted);
        return;
    }
    case kRuleFitted: {
        const YY_ParamMT& paramMT = *Value<YY_ParamMT>(value(5));
        const CS_CoordinateSystem* base = As<CS_CoordinateSystem>(value(7));
        if (QuarnEqualNoCase(paramMT.classificationName, L"Local_Grid")) {
            set(factory->CreateFittedHorizontalCoordinateSystem(
                text(3), base, Lookup(paramMT, L"E0", 0), Lookup(paramMT, L"N0", 0),
                Lookup(paramMT, L"K", 1), Lookup(paramMT, L"DE", 0), Lookup(paramMT, L"DN", 0),
                Lookup(paramMT, L"Beta", 0) * quarn::kPi / 180.0));
        } else if (QuarnEqualNoCase(paramMT.classificationName, L"Linear_Correction")) {
            set(factory->CreateFittedVerticalCoordinateSystem(
                text(3), base, Lookup(paramMT, L"dH", 0), Lookup(paramMT, L"Gl", 0),
                Lookup(paramMT, L"Gg", 0), Lookup(paramMT, L"L0", 0) * quarn::kPi / 180.0,
                Lookup(paramMT, L"G0", 0) * quarn::kPi / 180.0));
        }
        return;
    }
    case kRuleLocal:
    case kRuleLocalAuthority:
        set(factory->CreateLocalCoordinateSystem(text(3), As<CS_LocalDatum>(value(5)),
                                                 As<CS_LinearUnit>(value(7)),
                                                 *Value<AxisList>(value(9))));
        if (rule == kRuleLocalAuthority) Authority(result.object, value(11));
        return;
    case kRuleLocalDatum:
    case kRuleLocalDatumAuthority:
        set(factory->CreateLocalDatum(text(3), integer(5)));
        if (rule == kRuleLocalDatumAuthority) Authority(result.object, value(7));
        return;
    default:
        // The start rule and CONCAT_MT (which no reachable rule uses) do nothing.
        return;
    }
}

const CS_CoordinateSystem* CQuarnCoordinateSystemFactory::CreateFromWKT(const wchar_t* wkt) {
    m_parser.SetInput(wkt);
    // The result is what the actions made of the text, whatever the parse reported: a
    // complete system followed by stray tokens still counts.
    m_parser.Parse();
    // Nothing refers to the copy of the text once the parse is over: its block goes back
    // for the thread's next text.
    m_parser.ReleaseInput();
    return m_parser.GetResult();
}
