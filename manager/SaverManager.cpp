#include "manager/SaverManager.h"

CSaverManager::CSaverManager() : m_procInfo(), m_catalog(10)
{
}

CSaverManager::~CSaverManager()
{
    EndPreview();
}
