// The rule actions of the WKT grammar: what the parser does each time it reduces by a rule
// outside a trial parse. Rules are known by the names wkt/WktGrammar.y gives them. Children are
// reduced before their parents, so every action finds the objects of its children already created.
//
// This file holds RunAction and only what RunAction alone uses: the engine's recording test
// compiles the parser with a RunAction of its own in place of this file.
#include <quarn/model/Constants.h>
#include <quarn/wkt/WktParser.h>

#include "factory/ByObjectType.h"
#include "wkt/WktRules.h"
#include <quarn/factory/Factory.h>
#include <quarn/model/ModuleSetup.h>
#include <quarn/model/Text.h>

#include <cwchar>
#include <memory>
#include <wchar.h> // wcsnlen (POSIX)

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

template <class T> const T* As(const QuarnWktValue& value) {
    return static_cast<const T*>(QuarnWktGetObject(value));
}

template <class T> T* Value(const QuarnWktValue& value) {
    return static_cast<T*>(QuarnWktGetPointer(value));
}

// The axis record of an axis value.
CQuarnAxisInfo Axis(const QuarnWktValue& value) {
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
    const CS_AxisInfo& Of(const QuarnWktValue& value, int slot) {
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
    const CS_WGS84ConversionInfo& Of(const QuarnWktValue& value) {
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
void Authority(const CS_Info* object, const QuarnWktValue& authority) {
    const AuthorityPair* pair = Value<AuthorityPair>(authority);
    if (object != nullptr && pair != nullptr)
        QuarnSetAuthority(const_cast<CS_Info*>(object), pair->name, pair->code);
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

bool QuarnWktRulePassesValueOn(EQuarnWktRule rule) {
    switch (rule) {
    case kQuarnWktRuleHorizontalGeographic:
    case kQuarnWktRuleHorizontalProjected:
    case kQuarnWktRuleSemiMajorAxis:
    case kQuarnWktRuleInverseFlattening:
    case kQuarnWktRuleLongitude:
    case kQuarnWktRuleConversionFactor:
    case kQuarnWktRuleLbfFile:
    case kQuarnWktRuleCopFile:
    case kQuarnWktRuleDatumType:
    case kQuarnWktRuleHeadLocal:
    case kQuarnWktRuleHeadHorizontal:
    case kQuarnWktRuleTailVertical:
    case kQuarnWktRuleDx:
    case kQuarnWktRuleDy:
    case kQuarnWktRuleDz:
    case kQuarnWktRuleEx:
    case kQuarnWktRuleEy:
    case kQuarnWktRuleEz:
    case kQuarnWktRulePpm:
    case kQuarnWktRuleToBase:
    case kQuarnWktRuleBaseHorizontal:
    case kQuarnWktRuleBaseVertical:
    case kQuarnWktRuleName:
    case kQuarnWktRuleNumberReal:
    case kQuarnWktRuleCode:
    case kQuarnWktRuleClassificationName:
    case kQuarnWktRuleValue:
        return true;
    default:
        return false;
    }
}

void CQuarnWKTCoordinateSystemParser::RunAction(int number, QuarnWktValue* rhs,
                                                QuarnWktValue& result) {
    const EQuarnWktRule rule = QuarnWktRuleName(number);
    CQuarnCoordinateSystemFactory* factory = GetFactory();
    // $n of the rule's right-hand side, read as the kind its symbol holds.
    auto text = [rhs](int n) { return QuarnWktGetText(rhs[n - 1]); };
    auto real = [rhs](int n) { return QuarnWktGetReal(rhs[n - 1]); };
    auto integer = [rhs](int n) { return QuarnWktGetInteger(rhs[n - 1]); };
    auto value = [rhs](int n) -> const QuarnWktValue& { return rhs[n - 1]; };
    auto set = [&result](const CS_Info* object) { QuarnWktSetObject(result, object); };
    auto keep = [&result](void* object) { QuarnWktSetPointer(result, object); };

    // Rules that only pass a value on, or carry a plain token value.
    if (QuarnWktRulePassesValueOn(rule)) {
        result = value(1);
        return;
    }
    switch (rule) {
    case kQuarnWktRuleTopHorizontal:
    case kQuarnWktRuleTopGeocentric:
    case kQuarnWktRuleTopVertical:
    case kQuarnWktRuleTopCompound:
    case kQuarnWktRuleTopFitted:
    case kQuarnWktRuleTopLocal:
        SetResult(As<CS_CoordinateSystem>(value(1)));
        return;
    case kQuarnWktRuleNorth:
        QuarnWktSetInteger(result, CS_AO_North);
        return;
    case kQuarnWktRuleSouth:
        QuarnWktSetInteger(result, CS_AO_South);
        return;
    case kQuarnWktRuleEast:
        QuarnWktSetInteger(result, CS_AO_East);
        return;
    case kQuarnWktRuleWest:
        QuarnWktSetInteger(result, CS_AO_West);
        return;
    case kQuarnWktRuleUp:
        QuarnWktSetInteger(result, CS_AO_Up);
        return;
    case kQuarnWktRuleDown:
        QuarnWktSetInteger(result, CS_AO_Down);
        return;
    case kQuarnWktRuleOther:
        QuarnWktSetInteger(result, CS_AO_Other);
        return;
    case kQuarnWktRuleNumberInteger:
        QuarnWktSetReal(result, static_cast<double>(integer(1)));
        return;
    default:
        break;
    }

    // Rules that build value objects; the parser keeps them until it is destroyed.
    switch (rule) {
    case kQuarnWktRuleAuthority:
        keep(NewValue<AuthorityPair>(text(3), text(5)));
        return;
    case kQuarnWktRuleGridFiles: {
        CQuarn3DIMInfo* files = NewValue<CQuarn3DIMInfo>();
        CopyGridFileName(files->LBFFileName, text(3));
        CopyGridFileName(files->COPFileName, text(5));
        keep(files);
        return;
    }
    case kQuarnWktRuleAxis:
        keep(NewValue<AxisValue>(text(3), integer(5)));
        return;
    case kQuarnWktRuleShift: {
        // The rotations are held with the opposite sign to the one written.
        keep(NewValue<ShiftValue>(
            ShiftValue{{real(3), real(5), real(7), -real(9), -real(11), -real(13), real(15)}}));
        return;
    }
    case kQuarnWktRuleAxisListFirst: {
        AxisList* list = NewValue<AxisList>();
        list->Resize(1);
        CQuarnAxisInfo axis = Axis(value(1));
        CopyAxisInfo(&(*list)[0], &axis);
        keep(list);
        return;
    }
    case kQuarnWktRuleAxisListNext:
        result = value(1);
        Append(Value<AxisList>(value(1)), Axis(value(3)), CopyAxisInfo);
        DropValue(QuarnWktGetPointer(value(3))); // copied into the list
        return;
    case kQuarnWktRuleParamMtParameters:
        keep(NewValue<YY_ParamMT>(text(3), Value<ParameterValues>(value(5))));
        return;
    case kQuarnWktRuleParamMt:
        keep(NewValue<YY_ParamMT>(text(3), nullptr));
        return;
    case kQuarnWktRuleParameter:
        keep(NewValue<ParameterValue>(text(3), real(5)));
        return;
    case kQuarnWktRuleParameterListFirst: {
        ParameterValues* list = NewValue<ParameterValues>();
        list->items[0] = *Value<ParameterValue>(value(1));
        list->count = 1;
        keep(list);
        return;
    }
    case kQuarnWktRuleParameterListNext: {
        result = value(1);
        ParameterValues* list = Value<ParameterValues>(value(1));
        if (list->count < ParameterList::Capacity())
            list->items[list->count++] = *Value<ParameterValue>(value(3));
        DropValue(QuarnWktGetPointer(value(3))); // copied into the list
        return;
    }
    case kQuarnWktRuleParamMtListFirst: {
        ParamMTList* list = NewValue<ParamMTList>();
        list->Resize(1);
        (*list)[0] = *Value<YY_ParamMT>(value(1));
        keep(list);
        return;
    }
    case kQuarnWktRuleParamMtListNext:
        result = value(1);
        Append(Value<ParamMTList>(value(1)), *Value<YY_ParamMT>(value(3)),
               [](YY_ParamMT* to, const YY_ParamMT* from) { *to = *from; });
        DropValue(QuarnWktGetPointer(value(3))); // copied into the list
        return;
    default:
        break;
    }

    // Rules that create objects through the factory; without a factory they give nothing.
    if (factory == nullptr) return;
    const ParameterList& noParameters = QuarnDefaultParameters();
    switch (rule) {
    case kQuarnWktRuleProjectedAxes:
    case kQuarnWktRuleProjected:
    case kQuarnWktRuleProjectedAxesAuthority:
    case kQuarnWktRuleProjectedAuthority: {
        bool axes =
            rule == kQuarnWktRuleProjectedAxes || rule == kQuarnWktRuleProjectedAxesAuthority;
        FilledAxes filled;
        set(factory->CreateProjectedCoordinateSystem(
            text(3), As<CS_GeographicCoordinateSystem>(value(5)), As<CS_Projection>(value(7)),
            As<CS_LinearUnit>(value(9)), axes ? filled.Of(value(11), 0) : FilledAxes::Default(0),
            axes ? filled.Of(value(13), 1) : FilledAxes::Default(1)));
        if (rule == kQuarnWktRuleProjectedAxesAuthority) Authority(result.object, value(15));
        if (rule == kQuarnWktRuleProjectedAuthority) Authority(result.object, value(11));
        return;
    }
    case kQuarnWktRuleProjectionParameters: {
        FilledParameters parameters(*Value<ParameterValues>(value(6)));
        set(factory->CreateProjection(L"", text(3), parameters.List()));
        return;
    }
    case kQuarnWktRuleProjection:
        set(factory->CreateProjection(L"", text(3), noParameters));
        return;
    case kQuarnWktRuleProjectionAuthorityParameters: {
        FilledParameters parameters(*Value<ParameterValues>(value(8)));
        set(factory->CreateProjection(L"", text(3), parameters.List()));
        Authority(result.object, value(5));
        return;
    }
    case kQuarnWktRuleProjectionAuthority:
        set(factory->CreateProjection(L"", text(3), noParameters));
        Authority(result.object, value(5));
        return;
    case kQuarnWktRuleGeographicAxes:
    case kQuarnWktRuleGeographic:
    case kQuarnWktRuleGeographicAxesAuthority:
    case kQuarnWktRuleGeographicAuthority: {
        bool axes =
            rule == kQuarnWktRuleGeographicAxes || rule == kQuarnWktRuleGeographicAxesAuthority;
        FilledAxes filled;
        set(factory->CreateGeographicCoordinateSystem(
            text(3), As<CS_AngularUnit>(value(9)), As<CS_HorizontalDatum>(value(5)),
            As<CS_PrimeMeridian>(value(7)), axes ? filled.Of(value(11), 0) : FilledAxes::Default(0),
            axes ? filled.Of(value(13), 1) : FilledAxes::Default(1)));
        if (rule == kQuarnWktRuleGeographicAxesAuthority) Authority(result.object, value(15));
        if (rule == kQuarnWktRuleGeographicAuthority) Authority(result.object, value(11));
        return;
    }
    case kQuarnWktRuleDatumShift:
    case kQuarnWktRuleDatum:
    case kQuarnWktRuleDatumShiftAuthority:
    case kQuarnWktRuleDatumAuthority:
    case kQuarnWktRuleDatumShiftGridFiles: {
        bool shifted = rule == kQuarnWktRuleDatumShift ||
                       rule == kQuarnWktRuleDatumShiftAuthority ||
                       rule == kQuarnWktRuleDatumShiftGridFiles;
        FilledShift filled;
        const CS_WGS84ConversionInfo& shift =
            shifted ? filled.Of(value(7)) : QuarnDefaultWGS84ConversionInfo();
        const CS_3DIMInfo& files = rule == kQuarnWktRuleDatumShiftGridFiles
                                       ? *Value<CQuarn3DIMInfo>(value(9))
                                       : QuarnDefault3DIMInfo();
        set(factory->CreateHorizontalDatum(text(3), 1001, As<CS_Ellipsoid>(value(5)), shift,
                                           files));
        if (rule == kQuarnWktRuleDatumShiftAuthority) Authority(result.object, value(9));
        if (rule == kQuarnWktRuleDatumAuthority) Authority(result.object, value(7));
        return;
    }
    case kQuarnWktRuleSpheroid:
    case kQuarnWktRuleSpheroidAuthority:
        // A third number above 500 can only be a semi-minor axis, not an inverse flattening.
        if (real(7) > 500.0)
            set(factory->CreateEllipsoid(text(3), real(5), real(7), nullptr));
        else
            set(factory->CreateFlattenedSphere(text(3), real(5), real(7), nullptr));
        if (rule == kQuarnWktRuleSpheroidAuthority) Authority(result.object, value(9));
        return;
    case kQuarnWktRulePrimeMeridian:
    case kQuarnWktRulePrimeMeridianAuthority:
        // The longitude is read in degrees and kept in radians.
        set(factory->CreatePrimeMeridian(text(3), nullptr, real(5) * quarn::kPi / 180.0));
        if (rule == kQuarnWktRulePrimeMeridianAuthority) Authority(result.object, value(7));
        return;
    case kQuarnWktRuleAngularUnit:
    case kQuarnWktRuleAngularUnitAuthority:
        set(factory->CreateAngularUnit(text(3), real(5)));
        if (rule == kQuarnWktRuleAngularUnitAuthority) Authority(result.object, value(7));
        return;
    case kQuarnWktRuleLinearUnit:
    case kQuarnWktRuleLinearUnitAuthority:
        set(factory->CreateLinearUnit(text(3), real(5)));
        if (rule == kQuarnWktRuleLinearUnitAuthority) Authority(result.object, value(7));
        return;
    case kQuarnWktRuleGeocentricAxes:
    case kQuarnWktRuleGeocentric:
    case kQuarnWktRuleGeocentricAxesAuthority:
    case kQuarnWktRuleGeocentricAuthority: {
        bool axes =
            rule == kQuarnWktRuleGeocentricAxes || rule == kQuarnWktRuleGeocentricAxesAuthority;
        FilledAxes filled;
        set(factory->CreateGeocentricCoordinateSystem(
            text(3), As<CS_LinearUnit>(value(9)), As<CS_HorizontalDatum>(value(5)),
            As<CS_PrimeMeridian>(value(7)), axes ? filled.Of(value(11), 0) : FilledAxes::Default(0),
            axes ? filled.Of(value(13), 1) : FilledAxes::Default(1),
            axes ? filled.Of(value(15), 2) : FilledAxes::Default(2)));
        if (rule == kQuarnWktRuleGeocentricAxesAuthority) Authority(result.object, value(17));
        if (rule == kQuarnWktRuleGeocentricAuthority) Authority(result.object, value(11));
        return;
    }
    case kQuarnWktRuleVerticalAxis:
    case kQuarnWktRuleVertical:
    case kQuarnWktRuleVerticalAxisAuthority:
    case kQuarnWktRuleVerticalAuthority: {
        bool axis = rule == kQuarnWktRuleVerticalAxis || rule == kQuarnWktRuleVerticalAxisAuthority;
        FilledAxes filled;
        set(factory->CreateVerticalCoordinateSystem(
            text(3), As<CS_VerticalDatum>(value(5)), As<CS_LinearUnit>(value(7)),
            axis ? filled.Of(value(9), 2) : FilledAxes::Default(2)));
        if (rule == kQuarnWktRuleVerticalAxisAuthority) Authority(result.object, value(11));
        if (rule == kQuarnWktRuleVerticalAuthority) Authority(result.object, value(9));
        return;
    }
    case kQuarnWktRuleVerticalDatum:
    case kQuarnWktRuleVerticalDatumAuthority:
        set(factory->CreateVerticalDatum(text(3), integer(5)));
        if (rule == kQuarnWktRuleVerticalDatumAuthority) Authority(result.object, value(7));
        return;
    case kQuarnWktRuleCompound:
    case kQuarnWktRuleCompoundAuthority: {
        // A compound needs both parts; a missing or unsuitable part gives no system.
        const CS_CoordinateSystem* head = As<CS_CoordinateSystem>(value(5));
        const CS_CoordinateSystem* tail = As<CS_CoordinateSystem>(value(7));
        if (head == nullptr || tail == nullptr) return;
        set(factory->CreateCompoundCoordinateSystem(text(3), head, tail));
        if (rule == kQuarnWktRuleCompoundAuthority) Authority(result.object, value(9));
        return;
    }
    case kQuarnWktRuleHeadFitted:
    case kQuarnWktRuleTailFitted: {
        // A head must be a horizontal fit, a tail a vertical fit.
        const CS_Info* fitted = QuarnWktGetObject(value(1));
        long wanted =
            rule == kQuarnWktRuleHeadFitted ? kQuarnFittedHorizontalCS : kQuarnFittedVerticalCS;
        if (fitted != nullptr && fitted->GetObjectType() == wanted) set(fitted);
        return;
    }
    case kQuarnWktRuleFitted: {
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
    case kQuarnWktRuleLocal:
    case kQuarnWktRuleLocalAuthority:
        set(factory->CreateLocalCoordinateSystem(text(3), As<CS_LocalDatum>(value(5)),
                                                 As<CS_LinearUnit>(value(7)),
                                                 *Value<AxisList>(value(9))));
        if (rule == kQuarnWktRuleLocalAuthority) Authority(result.object, value(11));
        return;
    case kQuarnWktRuleLocalDatum:
    case kQuarnWktRuleLocalDatumAuthority:
        set(factory->CreateLocalDatum(text(3), integer(5)));
        if (rule == kQuarnWktRuleLocalDatumAuthority) Authority(result.object, value(7));
        return;
    default:
        // The start rule and CONCAT_MT (which no reachable rule uses) do nothing.
        return;
    }
}
