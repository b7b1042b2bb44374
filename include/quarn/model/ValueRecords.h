// Wrapper classes of the value records: constructors, accessors, comparison and, for axes
// and projection parameters, their WKT elements.
#ifndef QUARN_MODEL_VALUERECORDS_H
#define QUARN_MODEL_VALUERECORDS_H

#include <quarn/model/Constants.h>
#include <quarn/model/Export.h>
#include <quarn/model/Records.h>

class QUARN_API CQuarnAxisInfo : public CS_AxisInfo {
public:
    // An axis with an empty name and orientation 0 (other).
    CQuarnAxisInfo();
    CQuarnAxisInfo(const CQuarnAxisInfo& other) = default;
    CQuarnAxisInfo(const CS_AxisInfo& axis);
    CQuarnAxisInfo(const CS_AxisInfo* axis);
    CQuarnAxisInfo(const wchar_t* name, long orientation);
    virtual ~CQuarnAxisInfo();

    CQuarnAxisInfo& operator=(const CQuarnAxisInfo& other) = default;
    CQuarnAxisInfo& operator=(const CS_AxisInfo& axis);
    // A null pointer leaves the axis unchanged.
    CQuarnAxisInfo& operator=(const CS_AxisInfo* axis);

    // Axes compare by orientation alone; a null pointer is unequal.
    bool operator==(const CS_AxisInfo& axis) const;
    bool operator==(const CS_AxisInfo* axis) const;
    bool operator!=(const CS_AxisInfo& axis) const { return !(*this == axis); }
    bool operator!=(const CS_AxisInfo* axis) const { return !(*this == axis); }

    const wchar_t* GetName() const { return name; }
    void SetName(const wchar_t* text);
    long GetOrientation() const { return orientation; }
    // Stored unchecked.
    void SetOrientation(long code) { orientation = static_cast<std::int32_t>(code); }

    // The AXIS element; the orientation is written as its word (NULL for other, and for a
    // code outside 0 to 6, which names no direction).
    virtual const wchar_t* GetWKT() const;
    const wchar_t* FormatWKT(wchar_t* buffer, long limit) const;

    // The word written for an orientation code.
    static const wchar_t* OrientationWord(long code);
    // The AXIS element of a name and an orientation, written into m_WKT as GetWKT writes
    // it; objects that keep their axes compactly write them through this.
    static const wchar_t* FormatAxis(const wchar_t* name, long orientation);

    // Each thread has its own: a text stays valid until the next axis text in that thread.
    static thread_local wchar_t m_WKT[quarn::kWktCapacity];
};

class QUARN_API CQuarnProjectionParameter : public CS_ProjectionParameter {
public:
    // A parameter with an empty name and the value 0.
    CQuarnProjectionParameter();
    CQuarnProjectionParameter(const CQuarnProjectionParameter& other) = default;
    CQuarnProjectionParameter(const CS_ProjectionParameter& parameter);
    CQuarnProjectionParameter(const CS_ProjectionParameter* parameter);
    virtual ~CQuarnProjectionParameter();

    CQuarnProjectionParameter& operator=(const CQuarnProjectionParameter& other) = default;
    CQuarnProjectionParameter& operator=(const CS_ProjectionParameter& parameter);
    CQuarnProjectionParameter& operator=(const CS_ProjectionParameter* parameter);

    bool operator==(const CS_ProjectionParameter& parameter) const;
    bool operator==(const CS_ProjectionParameter* parameter) const;
    bool operator!=(const CS_ProjectionParameter& parameter) const { return !(*this == parameter); }
    bool operator!=(const CS_ProjectionParameter* parameter) const { return !(*this == parameter); }

    operator CS_ProjectionParameter*() { return this; }
    operator const CS_ProjectionParameter*() const { return this; }

    const wchar_t* GetName() const { return name; }
    void SetName(const wchar_t* text);
    double GetValue() const { return value; }
    void SetValue(double number) { value = number; }

    // The PARAMETER element.
    virtual const wchar_t* GetWKT() const;
    const wchar_t* FormatWKT(wchar_t* buffer, long limit) const;
    // The PARAMETER element of a name and a value, written into m_WKT as GetWKT writes it.
    static const wchar_t* FormatParameter(const wchar_t* name, double value);

protected:
    static thread_local wchar_t m_WKT[quarn::kWktCapacity];
};

class QUARN_API CQuarnWGS84ConversionInfo : public CS_WGS84ConversionInfo {
public:
    // All seven numbers 0 and an empty area of use.
    CQuarnWGS84ConversionInfo();
    CQuarnWGS84ConversionInfo(double dx, double dy, double dz, double ex, double ey, double ez,
                              double ppm);
    CQuarnWGS84ConversionInfo(const CQuarnWGS84ConversionInfo& other) = default;
    CQuarnWGS84ConversionInfo(const CS_WGS84ConversionInfo& info);
    CQuarnWGS84ConversionInfo(const CS_WGS84ConversionInfo* info);
    virtual ~CQuarnWGS84ConversionInfo();

    CQuarnWGS84ConversionInfo& operator=(const CQuarnWGS84ConversionInfo& other) = default;
    CQuarnWGS84ConversionInfo& operator=(const CS_WGS84ConversionInfo& info);
    CQuarnWGS84ConversionInfo& operator=(const CS_WGS84ConversionInfo* info);

    // The seven numbers within 1e-12 each; the area of use takes no part.
    bool operator==(const CS_WGS84ConversionInfo& info) const;
    bool operator==(const CS_WGS84ConversionInfo* info) const;
    bool operator!=(const CS_WGS84ConversionInfo& info) const { return !(*this == info); }
    bool operator!=(const CS_WGS84ConversionInfo* info) const { return !(*this == info); }

    operator CS_WGS84ConversionInfo*() { return this; }
    operator const CS_WGS84ConversionInfo*() const { return this; }

    double GetDx() const { return Dx; }
    double GetDy() const { return Dy; }
    double GetDz() const { return Dz; }
    double GetEx() const { return Ex; }
    double GetEy() const { return Ey; }
    double GetEz() const { return Ez; }
    double GetPpm() const { return Ppm; }
    const wchar_t* GetAreaOfUse() const { return areaOfUse; }
    void SetDx(double value) { Dx = value; }
    void SetDy(double value) { Dy = value; }
    void SetDz(double value) { Dz = value; }
    void SetEx(double value) { Ex = value; }
    void SetEy(double value) { Ey = value; }
    void SetEz(double value) { Ez = value; }
    void SetPpm(double value) { Ppm = value; }
    // Stores the area of use.
    void SetName(const wchar_t* text);
};

class QUARN_API CQuarn3DIMInfo : public CS_3DIMInfo {
public:
    // Both file names empty.
    CQuarn3DIMInfo();
    CQuarn3DIMInfo(const wchar_t* lbfFileName, const wchar_t* copFileName);
    CQuarn3DIMInfo(const CQuarn3DIMInfo& other) = default;
    CQuarn3DIMInfo(const CS_3DIMInfo& info);
    CQuarn3DIMInfo(const CS_3DIMInfo* info);
    virtual ~CQuarn3DIMInfo();

    CQuarn3DIMInfo& operator=(const CQuarn3DIMInfo& other) = default;
    CQuarn3DIMInfo& operator=(const CS_3DIMInfo& info);
    CQuarn3DIMInfo& operator=(const CS_3DIMInfo* info);

    // Both names equal ignoring the case of A to Z.
    bool operator==(const CS_3DIMInfo& info) const;
    bool operator==(const CS_3DIMInfo* info) const;
    bool operator!=(const CS_3DIMInfo& info) const { return !(*this == info); }
    bool operator!=(const CS_3DIMInfo* info) const { return !(*this == info); }

    operator CS_3DIMInfo*() { return this; }
    operator const CS_3DIMInfo*() const { return this; }

    const wchar_t* GetLBFFileName() const { return LBFFileName; }
    const wchar_t* GetCOPFileName() const { return COPFileName; }
    void SetLBFFileName(const wchar_t* text);
    void SetCOPFileName(const wchar_t* text);
};

#endif
