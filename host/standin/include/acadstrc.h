#pragma once

namespace Acad {

enum ErrorStatus {
    eOk = 0,
    eInvalidInput = 3,
    eNotApplicable = 5,
};

} // namespace Acad
