#include "fakes/FakeFileDialog.h"

namespace tarvex {

bool FakeFileDialog::answer(bool save)
{
    asked.append({save, Filter, DefaultExt, InitDir});
    setChosen(QString());
    errorText_.clear();
    if (!failWith.isEmpty()) {
        errorText_ = failWith;
        failWith.clear();
        return false;
    }
    if (!paths.empty()) {
        setChosen(paths.front());
        paths.pop_front();
    }
    return true;
}

} // namespace tarvex
