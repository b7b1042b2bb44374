// The meridian from which longitudes are counted.
#ifndef QUARN_OBJECTS_PRIMEMERIDIAN_H
#define QUARN_OBJECTS_PRIMEMERIDIAN_H

#include <quarn/model/InfoBase.h>
#include <quarn/model/Model.h>

// A prime meridian keeps its longitude from Greenwich in radians. Two prime meridians are
// equal when their base names (registry suffix ignored) are the same and the longitudes are
// within 1e-12.
class QUARN_API CQuarnPrimeMeridian : public CQuarnInfo<CS_PrimeMeridian> {
public:
    CQuarnPrimeMeridian();
    CQuarnPrimeMeridian(const CQuarnPrimeMeridian& other);
    virtual ~CQuarnPrimeMeridian();
    CQuarnPrimeMeridian& operator=(const CQuarnPrimeMeridian& other);

    unsigned char operator==(const CQuarnPrimeMeridian& other) const;
    unsigned char operator!=(const CQuarnPrimeMeridian& other) const { return !(*this == other); }

    // The longitude is written in `unit`, or in degrees when `unit` is null.
    const wchar_t* GetWKT(const CS_Unit* unit) const override;
    long GetObjectType() const override { return kQuarnPrimeMeridian; }
    double GetLongitude() const override { return m_longitude; }
    void SetLongitude(double radians) { m_longitude = radians; }

    // The PRIMEM element with the longitude in `unit` (degrees when null); "" when it is not
    // shorter than `limit`.
    const wchar_t* FormatWKT(wchar_t* buffer, long limit, const CS_Unit* unit) const;

protected:
    static thread_local wchar_t m_WKT[quarn::kWktCapacity];

private:
    double m_longitude;
};

#endif
