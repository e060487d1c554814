#!/usr/bin/env bash
# What the recognizer does on its own in a room where people talk: an hour and more of
# sentences read by four espeak-ng voices at three rates, with pauses, silences, a second
# speaker or music now and then and room noise at a few levels, and the commands said in
# between with short pauses around them. Prints, one "name: value" line each:
#   talk_minutes              length of the stream
#   false_actions_per_hour    phrases fired while listening that nobody said
#   false_wakes_per_hour      wake phrases fired while awake but not listening that nobody said
#   command_accuracy_percent  commands said that fired as said
#   latency_median_ms, latency_p95_ms   end of a command's audio to its phrase event
# With --curve [T,T,..] the listening pass also prints a "curve:" line per confidence limit:
# false actions per hour and command accuracy had the recognizer used that limit.
# The stream is fed as fast as the decoder goes; latency is in the stream's time plus the time
# the last block took to decode. No voice, text or noise seed of this stream was used to choose
# the recognizer's limits: bench/talk-tuning.sh has its own.
stream_name=measure
seed=20240611
minutes=62
voices="en-us en en-gb-x-rp en-us+f3"
rates="140 165 190"
texts="wisdom people literature politics platitudes"
source "$(dirname "$0")/talk/run.sh"
