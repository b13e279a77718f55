#include "core/mdiform1.h"

MDIForm1::MDIForm1() = default;
MDIForm1::~MDIForm1() = default;

void MDIForm1::Form_Load() {}
void MDIForm1::Form_QueryUnload(int&, int) {}
void MDIForm1::Form_Unload(int&) {}
void MDIForm1::RibbonBar1_ButtonClick(const std::string&, const std::string&) {}
