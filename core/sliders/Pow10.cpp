#include "Pow10_p.h"

#include <cmath>

namespace Quill {
namespace UI {

double Pow10(int exponent)
{
    static const double kExact[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                    1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                    1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (exponent >= 0 && exponent <= 22)
        return kExact[exponent];
    if (exponent < 0 && exponent >= -22)
        return 1.0 / kExact[-exponent];
    return std::pow(10.0, exponent);
}

} // namespace UI
} // namespace Quill
