#include "platform/com/inproc_server.h"

#include "sample_calc.h"

namespace {

const tvx::com::ClassEntry kClasses[] = {
    {&CLSID_SampleCalc, &tvx::com::ClassFactory<tvx::com::sample::CSampleCalc>::Create, L"SampleCalc Class",
     L"TvxSample.Calc.1", L"TvxSample.Calc"},
};

}  // namespace

tvx::com::ClassTable tvx::com::ServerClasses()
{
    return kClasses;
}
