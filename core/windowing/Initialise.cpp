#include "Initialise.h"

namespace Quill {
namespace UI {

void Initialise()
{
}

} // namespace UI
} // namespace Quill
