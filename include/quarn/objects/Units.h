// Units of length and angle.
#ifndef QUARN_OBJECTS_UNITS_H
#define QUARN_OBJECTS_UNITS_H

#include <quarn/model/InfoBase.h>

// A unit of length, described by how many metres one unit is. Two linear units are equal
// when their factors are within 1e-12; names take no part.
class QUARN_API CQuarnLinearUnit : public CQuarnInfo<CS_LinearUnit> {
public:
    CQuarnLinearUnit();
    CQuarnLinearUnit(const CQuarnLinearUnit& other);
    virtual ~CQuarnLinearUnit();
    CQuarnLinearUnit& operator=(const CQuarnLinearUnit& other);

    unsigned char operator==(const CQuarnLinearUnit& other) const;
    unsigned char operator!=(const CQuarnLinearUnit& other) const { return !(*this == other); }

    const wchar_t* GetWKT(const CS_Unit* unit) const override;
    long GetObjectType() const override { return kQuarnLinearUnit; }
    double GetMetersPerUnit() const override { return m_factor; }
    void SetMetersPerUnit(double factor) { m_factor = factor; }

    // The UNIT element; "" when it is not shorter than `limit`.
    const wchar_t* FormatWKT(wchar_t* buffer, long limit) const;

protected:
    static thread_local wchar_t m_WKT[quarn::kWktCapacity];

private:
    double m_factor;
};

// A unit of angle, described by how many radians one unit is. Equality as for linear units.
class QUARN_API CQuarnAngularUnit : public CQuarnInfo<CS_AngularUnit> {
public:
    CQuarnAngularUnit();
    CQuarnAngularUnit(const CQuarnAngularUnit& other);
    virtual ~CQuarnAngularUnit();
    CQuarnAngularUnit& operator=(const CQuarnAngularUnit& other);

    unsigned char operator==(const CQuarnAngularUnit& other) const;
    unsigned char operator!=(const CQuarnAngularUnit& other) const { return !(*this == other); }

    const wchar_t* GetWKT(const CS_Unit* unit) const override;
    long GetObjectType() const override { return kQuarnAngularUnit; }
    double GetRadiansPerUnit() const override { return m_factor; }
    void SetRadiansPerUnit(double factor) { m_factor = factor; }

    const wchar_t* FormatWKT(wchar_t* buffer, long limit) const;

protected:
    static thread_local wchar_t m_WKT[quarn::kWktCapacity];

private:
    double m_factor;
};

#endif
