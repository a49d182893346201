#pragma once
// The eight document templates of the Q7R2x family and their menus.

#include <memory>

#include "framework/CMenu.h"

class CApplication;
class CDocTemplate;

namespace plugin {

// The menu of model n's template (0 ... 7): identical for all eight but for
// the EMI item, present for the large-package models only.
CMenuBar ModelMenu(int model);

// Model n's template: resource id, document string "\nQ7R2n \nQ7R2n",
// the model's document, the code window and the menu.
std::unique_ptr<CDocTemplate> ModelTemplate(int model);

// Adds one template per model, in model order, to `app`.
void RegisterTemplates(CApplication& app);

}  // namespace plugin
