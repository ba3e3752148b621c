#include "editor/hostbinding.h"

// The binding and the counter are the run's shared state of both frames.

HostBinding &ActiveBinding()
{
    static HostBinding binding;
    return binding;
}

int &NewDocCounter()
{
    static int counter = 0;
    return counter;
}
