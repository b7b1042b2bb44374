// Helpers shared by the tests of projections and of the factory's create operations.
#ifndef QUARN_TESTS_SUPPORT_PARAMETERS_H
#define QUARN_TESTS_SUPPORT_PARAMETERS_H

#include <quarn/quarn.h>

#include <utility>
#include <vector>

using QuarnParameters = CBASESequence<CS_ProjectionParameter, 11>;
using QuarnParameterList = std::vector<std::pair<const wchar_t*, double>>;

// The parameters in the order given, as a reader hands them to the factory.
inline QuarnParameters Parameters(const QuarnParameterList& list) {
    QuarnParameters parameters;
    parameters.Resize(static_cast<long>(list.size()));
    long i = 0;
    for (const auto& entry : list) {
        CQuarnProjectionParameter parameter;
        parameter.SetName(entry.first);
        parameter.SetValue(entry.second);
        CopyProjectionParameter(&parameters[i++], &parameter);
    }
    return parameters;
}

// Fills the projection's slots in order and sets the count, as the factory does before the
// class name.
inline void SetParameters(CQuarnProjection& projection, const QuarnParameterList& list) {
    const QuarnParameters parameters = Parameters(list);
    for (long i = 0; i < parameters.GetSize(); ++i)
        projection.SetParameter(i, &parameters[i]);
    projection.SetNumParameters(parameters.GetSize());
}

// Sets the projection-loading flag for one scope and clears it afterwards.
struct LoadingFlag {
    explicit LoadingFlag(bool on) { SetPrjLoading(on); }
    ~LoadingFlag() { SetPrjLoading(false); }
};

#endif
