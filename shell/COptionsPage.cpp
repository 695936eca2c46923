#include "shell/COptionsPage.h"

COptionsPage::COptionsPage(QWidget* parent) : QWidget(parent) {}
