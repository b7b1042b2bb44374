// The figure of the earth: semi-major axis and inverse flattening.
#ifndef QUARN_OBJECTS_ELLIPSOID_H
#define QUARN_OBJECTS_ELLIPSOID_H

#include <quarn/model/InfoBase.h>
#include <quarn/model/Model.h>

// An ellipsoid keeps its semi-major axis in metres and its inverse flattening a / (a - b)
// (infinite for a sphere). It keeps no unit: the factory converts the axes when it creates
// the ellipsoid. Two ellipsoids are equal when their base names (registry suffix ignored)
// are the same and both numbers are within 1e-12.
class QUARN_API CQuarnEllipsoid : public CQuarnInfo<CS_Ellipsoid> {
public:
    CQuarnEllipsoid();
    CQuarnEllipsoid(const CQuarnEllipsoid& other);
    virtual ~CQuarnEllipsoid();
    CQuarnEllipsoid& operator=(const CQuarnEllipsoid& other);

    unsigned char operator==(const CQuarnEllipsoid& other) const;
    unsigned char operator!=(const CQuarnEllipsoid& other) const { return !(*this == other); }

    // The unit is ignored: the semi-major axis is always written in metres.
    const wchar_t* GetWKT(const CS_Unit* unit) const override;
    long GetObjectType() const override { return kQuarnEllipsoid; }
    double GetSemiMajorAxis() const override { return m_semiMajorAxis; }
    double GetInverseFlattening() const override { return m_inverseFlattening; }
    void SetSemiMajorAxis(double metres) { m_semiMajorAxis = metres; }
    void SetInverseFlattening(double value) { m_inverseFlattening = value; }

    // The SPHEROID element; "" when it is not shorter than `limit`.
    const wchar_t* FormatWKT(wchar_t* buffer, long limit) const;

protected:
    static thread_local wchar_t m_WKT[quarn::kWktCapacity];

private:
    double m_semiMajorAxis;
    double m_inverseFlattening;
};

#endif
