// AnyCast: to be completed.
#ifndef SHIMWELL_RUNTIME_ANY_CAST_H_
#define SHIMWELL_RUNTIME_ANY_CAST_H_
#endif
