#pragma once

#include <QuillCoreExport.h>

#include <QSettings>

#include <string>

namespace Quill {
namespace UI {

// The application's settings store: one INI file in user scope, named after the
// name given to SetName(), shared by every AppSettings of the process. Fallbacks
// are off, so exactly that file is read and written.
// GUI thread (SetName is process-wide state without a lock: call it at start-up).
class QUILL_CORE_EXPORT AppSettings : public QSettings
{
    Q_OBJECT
public:
    AppSettings();
    ~AppSettings() override;

    // Takes effect for AppSettings constructed afterwards. The bytes are read as Latin-1.
    static void SetName(std::string name);

protected:
    static std::string _name;
};

} // namespace UI
} // namespace Quill
