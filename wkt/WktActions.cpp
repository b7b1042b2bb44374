// The rule actions of the WKT grammar: what the parser does each time it reduces by a rule
// outside a trial parse. Rule numbers are those of wkt/WktGrammar.y. Children are reduced
// before their parents, so every action finds the objects of its children already created.
//
// This file holds RunAction and only what RunAction alone uses: the engine's recording test
// compiles the parser with a RunAction of its own in place of this file.
#include "WktParser.h"

#include "../factory/ByObjectType.h"
#include "../factory/Factory.h"
#include "../model/ModuleSetup.h"
#include "../model/Text.h"

namespace {

constexpr double kPi = 3.141592653589793;

// The longest grid-file name the reader keeps: the field holds 255 characters with its
// terminator.
constexpr int kGridFileNameLimit = 254;

// The value of an AUTHORITY clause.
struct AuthorityPair {
    const wchar_t* name;
    const wchar_t* code;
};

// The value of a PARAM_MT element: its classification name and its parameters (null when
// it has none).
struct YY_ParamMT {
    const wchar_t* classificationName;
    CBASESequence<CS_ProjectionParameter, 11>* parameters;
};

using AxisList = CBASESequence<CS_AxisInfo, 3>;
using ParameterList = CBASESequence<CS_ProjectionParameter, 11>;
using ParamMTList = CBASESequence<YY_ParamMT, 4>;

template <class T> const T* As(const QuarnWktValue& value) {
    return static_cast<const T*>(value.object);
}

template <class T> T* Value(const QuarnWktValue& value) {
    return static_cast<T*>(value.value);
}

// The axis record of an axis value.
const CS_AxisInfo& Axis(const QuarnWktValue& value) {
    return *Value<CQuarnAxisInfo>(value);
}

const CS_AxisInfo& DefaultAxis(int index) {
    return QuarnDefaultAxes()[index];
}

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

// The value of the PARAM_MT parameter named exactly `name`, or `fallback`.
double Lookup(const YY_ParamMT& paramMT, const wchar_t* name, double fallback) {
    if (paramMT.parameters == nullptr) return fallback;
    for (long i = 0; i < paramMT.parameters->GetSize(); ++i) {
        const CS_ProjectionParameter& parameter = (*paramMT.parameters)[i];
        if (std::wcscmp(parameter.name, name) == 0) return parameter.value;
    }
    return fallback;
}

} // namespace

void CQuarnWKTCoordinateSystemParser::RunAction(int rule, QuarnWktValue* rhs,
                                                QuarnWktValue& result) {
    CQuarnCoordinateSystemFactory* factory = GetFactory();
    // $n of the rule's right-hand side.
    auto text = [rhs](int n) { return rhs[n - 1].text; };
    auto number = [rhs](int n) { return rhs[n - 1].real; };
    auto value = [rhs](int n) -> const QuarnWktValue& { return rhs[n - 1]; };
    auto set = [&result](const CS_Info* object) { result.object = object; };

    // Rules that only pass a value on, or carry a plain token value.
    switch (rule) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
        SetResult(As<CS_CoordinateSystem>(value(1)));
        return;
    case 7:
    case 8:
    case 28:
    case 29:
    case 32:
    case 37:
    case 44:
    case 45:
    case 52:
    case 55:
    case 56:
    case 58:
    case 69:
    case 70:
    case 71:
    case 72:
    case 73:
    case 74:
    case 75:
    case 77:
    case 78:
    case 79:
    case 84:
    case 86:
    case 87:
    case 92:
    case 94:
        result = value(1);
        return;
    case 61:
        result.integer = CS_AO_North;
        return;
    case 62:
        result.integer = CS_AO_South;
        return;
    case 63:
        result.integer = CS_AO_East;
        return;
    case 64:
        result.integer = CS_AO_West;
        return;
    case 65:
        result.integer = CS_AO_Up;
        return;
    case 66:
        result.integer = CS_AO_Down;
        return;
    case 67:
        result.integer = CS_AO_Other;
        return;
    case 85:
        result.real = static_cast<double>(value(1).integer);
        return;
    default:
        break;
    }

    // Rules that build value objects; the parser keeps them until it is destroyed.
    switch (rule) {
    case 42:
        result.value = AddValue(new AuthorityPair{text(3), text(5)});
        return;
    case 43: {
        CQuarn3DIMInfo* files = AddValue(new CQuarn3DIMInfo());
        CopyGridFileName(files->LBFFileName, text(3));
        CopyGridFileName(files->COPFileName, text(5));
        result.value = files;
        return;
    }
    case 60:
        result.value = AddValue(new CQuarnAxisInfo(text(3), value(5).integer));
        return;
    case 68: {
        // The rotations are held with the opposite sign to the one written.
        result.value = AddValue(new CQuarnWGS84ConversionInfo(
            number(3), number(5), number(7), -number(9), -number(11), -number(13), number(15)));
        return;
    }
    case 88: {
        AxisList* list = AddValue(new AxisList());
        list->Resize(1);
        CopyAxisInfo(&(*list)[0], &Axis(value(1)));
        result.value = list;
        return;
    }
    case 89:
        result = value(1);
        Append(Value<AxisList>(value(1)), Axis(value(3)), CopyAxisInfo);
        return;
    case 90:
        result.value = AddValue(new YY_ParamMT{text(3), Value<ParameterList>(value(5))});
        return;
    case 91:
        result.value = AddValue(new YY_ParamMT{text(3), nullptr});
        return;
    case 93: {
        CQuarnProjectionParameter* parameter = AddValue(new CQuarnProjectionParameter());
        parameter->SetName(text(3));
        parameter->SetValue(number(5));
        result.value = parameter;
        return;
    }
    case 95: {
        ParameterList* list = AddValue(new ParameterList());
        list->Resize(1);
        CopyProjectionParameter(&(*list)[0], Value<CQuarnProjectionParameter>(value(1)));
        result.value = list;
        return;
    }
    case 96:
        result = value(1);
        Append(Value<ParameterList>(value(1)), *Value<CQuarnProjectionParameter>(value(3)),
               CopyProjectionParameter);
        return;
    case 98: {
        ParamMTList* list = AddValue(new ParamMTList());
        list->Resize(1);
        (*list)[0] = *Value<YY_ParamMT>(value(1));
        result.value = list;
        return;
    }
    case 99:
        result = value(1);
        Append(Value<ParamMTList>(value(1)), *Value<YY_ParamMT>(value(3)),
               [](YY_ParamMT* to, const YY_ParamMT* from) { *to = *from; });
        return;
    default:
        break;
    }

    // Rules that create objects through the factory; without a factory they give nothing.
    if (factory == nullptr) return;
    const ParameterList& noParameters = QuarnDefaultParameters();
    switch (rule) {
    case 9:
    case 10:
    case 11:
    case 12: {
        bool axes = rule == 9 || rule == 11;
        set(factory->CreateProjectedCoordinateSystem(
            text(3), As<CS_GeographicCoordinateSystem>(value(5)), As<CS_Projection>(value(7)),
            As<CS_LinearUnit>(value(9)), axes ? Axis(value(11)) : DefaultAxis(0),
            axes ? Axis(value(13)) : DefaultAxis(1)));
        if (rule == 11) Authority(result.object, value(15));
        if (rule == 12) Authority(result.object, value(11));
        return;
    }
    case 13:
        set(factory->CreateProjection(L"", text(3), *Value<ParameterList>(value(6))));
        return;
    case 14:
        set(factory->CreateProjection(L"", text(3), noParameters));
        return;
    case 15:
        set(factory->CreateProjection(L"", text(3), *Value<ParameterList>(value(8))));
        Authority(result.object, value(5));
        return;
    case 16:
        set(factory->CreateProjection(L"", text(3), noParameters));
        Authority(result.object, value(5));
        return;
    case 17:
    case 18:
    case 19:
    case 20: {
        bool axes = rule == 17 || rule == 19;
        set(factory->CreateGeographicCoordinateSystem(
            text(3), As<CS_AngularUnit>(value(9)), As<CS_HorizontalDatum>(value(5)),
            As<CS_PrimeMeridian>(value(7)), axes ? Axis(value(11)) : DefaultAxis(0),
            axes ? Axis(value(13)) : DefaultAxis(1)));
        if (rule == 19) Authority(result.object, value(15));
        if (rule == 20) Authority(result.object, value(11));
        return;
    }
    case 21:
    case 22:
    case 23:
    case 24:
    case 25: {
        bool shifted = rule == 21 || rule == 23 || rule == 25;
        const CS_WGS84ConversionInfo& shift = shifted ? *Value<CQuarnWGS84ConversionInfo>(value(7))
                                                      : QuarnDefaultWGS84ConversionInfo();
        const CS_3DIMInfo& files =
            rule == 25 ? *Value<CQuarn3DIMInfo>(value(9)) : QuarnDefault3DIMInfo();
        set(factory->CreateHorizontalDatum(text(3), 1001, As<CS_Ellipsoid>(value(5)), shift,
                                           files));
        if (rule == 23) Authority(result.object, value(9));
        if (rule == 24) Authority(result.object, value(7));
        return;
    }
    case 26:
    case 27:
        // A third number above 500 can only be a semi-minor axis, not an inverse flattening.
        if (number(7) > 500.0)
            set(factory->CreateEllipsoid(text(3), number(5), number(7), nullptr));
        else
            set(factory->CreateFlattenedSphere(text(3), number(5), number(7), nullptr));
        if (rule == 27) Authority(result.object, value(9));
        return;
    case 30:
    case 31:
        // The longitude is read in degrees and kept in radians.
        set(factory->CreatePrimeMeridian(text(3), nullptr, number(5) * kPi / 180.0));
        if (rule == 31) Authority(result.object, value(7));
        return;
    case 33:
    case 34:
        set(factory->CreateAngularUnit(text(3), number(5)));
        if (rule == 34) Authority(result.object, value(7));
        return;
    case 35:
    case 36:
        set(factory->CreateLinearUnit(text(3), number(5)));
        if (rule == 36) Authority(result.object, value(7));
        return;
    case 38:
    case 39:
    case 40:
    case 41: {
        bool axes = rule == 38 || rule == 40;
        set(factory->CreateGeocentricCoordinateSystem(
            text(3), As<CS_LinearUnit>(value(9)), As<CS_HorizontalDatum>(value(5)),
            As<CS_PrimeMeridian>(value(7)), axes ? Axis(value(11)) : DefaultAxis(0),
            axes ? Axis(value(13)) : DefaultAxis(1), axes ? Axis(value(15)) : DefaultAxis(2)));
        if (rule == 40) Authority(result.object, value(17));
        if (rule == 41) Authority(result.object, value(11));
        return;
    }
    case 46:
    case 47:
    case 48:
    case 49: {
        bool axis = rule == 46 || rule == 48;
        set(factory->CreateVerticalCoordinateSystem(text(3), As<CS_VerticalDatum>(value(5)),
                                                    As<CS_LinearUnit>(value(7)),
                                                    axis ? Axis(value(9)) : DefaultAxis(2)));
        if (rule == 48) Authority(result.object, value(11));
        if (rule == 49) Authority(result.object, value(9));
        return;
    }
    case 50:
    case 51:
        set(factory->CreateVerticalDatum(text(3), value(5).integer));
        if (rule == 51) Authority(result.object, value(7));
        return;
    case 53:
    case 54: {
        // A compound needs both parts; a missing or unsuitable part gives no system.
        const CS_CoordinateSystem* head = As<CS_CoordinateSystem>(value(5));
        const CS_CoordinateSystem* tail = As<CS_CoordinateSystem>(value(7));
        if (head == nullptr || tail == nullptr) return;
        set(factory->CreateCompoundCoordinateSystem(text(3), head, tail));
        if (rule == 54) Authority(result.object, value(9));
        return;
    }
    case 57:
    case 59: {
        // A head must be a horizontal fit, a tail a vertical fit.
        const CS_Info* fitted = value(1).object;
        long wanted = rule == 57 ? kQuarnFittedHorizontalCS : kQuarnFittedVerticalCS;
        if (fitted != nullptr && fitted->GetObjectType() == wanted) set(fitted);
        return;
    }
    case 76: {
        const YY_ParamMT& paramMT = *Value<YY_ParamMT>(value(5));
        const CS_CoordinateSystem* base = As<CS_CoordinateSystem>(value(7));
        if (QuarnEqualNoCase(paramMT.classificationName, L"Local_Grid")) {
            set(factory->CreateFittedHorizontalCoordinateSystem(
                text(3), base, Lookup(paramMT, L"E0", 0), Lookup(paramMT, L"N0", 0),
                Lookup(paramMT, L"K", 1), Lookup(paramMT, L"DE", 0), Lookup(paramMT, L"DN", 0),
                Lookup(paramMT, L"Beta", 0) * kPi / 180.0));
        } else if (QuarnEqualNoCase(paramMT.classificationName, L"Linear_Correction")) {
            set(factory->CreateFittedVerticalCoordinateSystem(
                text(3), base, Lookup(paramMT, L"dH", 0), Lookup(paramMT, L"Gl", 0),
                Lookup(paramMT, L"Gg", 0), Lookup(paramMT, L"L0", 0) * kPi / 180.0,
                Lookup(paramMT, L"G0", 0) * kPi / 180.0));
        }
        return;
    }
    case 80:
    case 81:
        set(factory->CreateLocalCoordinateSystem(text(3), As<CS_LocalDatum>(value(5)),
                                                 As<CS_LinearUnit>(value(7)),
                                                 *Value<AxisList>(value(9))));
        if (rule == 81) Authority(result.object, value(11));
        return;
    case 82:
    case 83:
        set(factory->CreateLocalDatum(text(3), value(5).integer));
        if (rule == 83) Authority(result.object, value(7));
        return;
    default:
        // Rule 0 and rule 97 (CONCAT_MT, which no reachable rule uses) do nothing.
        return;
    }
}
