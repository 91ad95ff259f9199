#include "toolkit/foundation/slider.h"

IMPLEMENT_DYNAMIC(CWtkSlider, CWtkBaseControlBar)

int CWtkSlider::m_nDefaultWidth = 4;

CWtkSlider::CWtkSlider(BOOL bDefaultSlider, CWnd* pOwner) : m_bDefaultSlider(bDefaultSlider), m_pOwner(pOwner) {}

CWtkSlider::~CWtkSlider() = default;
