#pragma once
// Each window's single instance is reached through a global (FrmPai, FrmConfig, ...).

namespace trev {

// As the window goes: the global stops naming it, and keeps naming any other.
template <class Form>
void forgetInstance(Form*& instance, const Form* window) {
    if (instance == window) instance = nullptr;
}

}  // namespace trev
