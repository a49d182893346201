#include "framework/CView.h"

CView::CView(QWidget* parent) : QWidget(parent) {}

CView::~CView() = default;
