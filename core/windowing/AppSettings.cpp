#include "AppSettings.h"

namespace Quill {
namespace UI {

std::string AppSettings::_name;

AppSettings::AppSettings()
    : QSettings(QSettings::IniFormat, QSettings::UserScope,
                QString::fromLatin1(_name.data(), int(_name.size())), QString(), nullptr)
{
    setFallbacksEnabled(false);
}

AppSettings::~AppSettings() = default;

void AppSettings::SetName(std::string name)
{
    _name = std::move(name);
}

} // namespace UI
} // namespace Quill
