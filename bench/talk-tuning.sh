#!/usr/bin/env bash
# The stream the recognizer's limits for talk are chosen on: other voices, rates, texts and
# noise than bench/talk.sh measures with, and the same figures printed. TALK_LOG=FILE keeps
# every utterance's scores (add QUILLET_RECO_DEBUG=1 for the recognizer's own lines).
stream_name=tuning
seed=7731
minutes=${TUNING_MINUTES:-60}
voices="en-gb-scotland en-029 en-us-nyc+f2 en-gb-x-gbclan+m3 en-gb-x-gbcwmd+f4"
rates="150 175 200"
texts="work science miscellaneous men-women humorists education"
source "$(dirname "$0")/talk/run.sh"
