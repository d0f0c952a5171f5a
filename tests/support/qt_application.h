#pragma once
// One application object for a whole test binary, made on first use and never
// destroyed: Qt's test input devices are torn down at exit after it.

namespace trev::test {

void ensureApplication();

}  // namespace trev::test
