#!/usr/bin/env python3
"""Plays realistic WSJT-X traffic to Tavrel, so it can be watched working without a radio.

Every period (15 s for FT8, 7.5 s for FT4) it sends what WSJT-X sends: a heartbeat every 15 s, a status
message, and a period's worth of decodes whose DT values scatter around a chosen offset (the clock error
that "Calculate" should find). Now and then it replays the previous period's decodes with the new flag
off, as WSJT-X does when a client asks for a replay; Tavrel must not list those twice.

Examples:
  scripts/wsjtx-feed.py                          # 127.0.0.1:2237, DT around +0.30 s, until Ctrl+C
  scripts/wsjtx-feed.py --offset -0.45 --periods 4
  scripts/wsjtx-feed.py --host 239.255.0.1 --port 2237 --multicast-ttl 1
  scripts/wsjtx-feed.py --fast --periods 3 --print-rows   # no waiting; prints the rows Tavrel should show
"""

import argparse
import datetime
import random
import socket
import sys
import time

import wsjtx_datagrams as w

CALLS = ["K1ABC", "W9XYZ", "DL1ABC", "JA1XYZ", "G4ABC", "VK2DEF", "PY2GHI", "ZS6JKL", "EA3MNO", "OH2PQR",
         "F5STU", "IK0VWX", "SP9YZA", "LU1BCD", "N0EFG", "VE3HIJ", "UA3KLM", "PA3NOP", "OK1QRS", "HB9TUV"]
GRIDS = ["FN42", "EN52", "JO62", "PM95", "IO91", "QF56", "GG66", "KG33", "JN11", "KP20", "JN18", "JN61",
         "KN09", "GF05", "EM48", "FN03", "KO85", "JO22", "JN79", "JN47"]


def message_text(rng):
    call, other = rng.sample(CALLS, 2)
    kind = rng.random()
    if kind < 0.4:
        return "CQ %s %s" % (call, rng.choice(GRIDS))
    if kind < 0.7:
        return "%s %s %+03d" % (call, other, rng.randint(-24, 10))
    if kind < 0.85:
        return "%s %s RR73" % (call, other)
    return "%s %s %s" % (call, other, rng.choice(GRIDS))


def period_decodes(rng, period_ms, args):
    decodes = []
    for _ in range(rng.randint(args.min_decodes, args.max_decodes)):
        dt = round(rng.gauss(args.offset, args.spread), 3)
        decodes.append(dict(time_ms=period_ms, snr=rng.randint(-24, 12), dt=dt,
                            freq=rng.randint(200, 2900), message=message_text(rng)))
    return decodes


def row_texts(decode):
    """The five cells Tavrel shows for a decode (time, SNR, DT, frequency, message)."""
    seconds = decode["time_ms"] // 1000
    message = decode["message"].encode("utf-8")[:32].decode("utf-8", "ignore")
    return "%02d%02d%02d\t%d\t%.1f\t%d\t%s" % (seconds // 3600, seconds // 60 % 60, seconds % 60,
                                             decode["snr"], decode["dt"], decode["freq"], message)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--host", default="127.0.0.1", help="address or multicast group (default 127.0.0.1)")
    parser.add_argument("--port", type=int, default=2237, help="UDP port (default 2237)")
    parser.add_argument("--offset", type=float, default=0.30, help="centre of the DT values, s (default 0.30)")
    parser.add_argument("--spread", type=float, default=0.08, help="scatter of the DT values, s (default 0.08)")
    parser.add_argument("--mode", choices=["FT8", "FT4"], default="FT8", help="15 s or 7.5 s periods")
    parser.add_argument("--periods", type=int, default=0, help="how many periods to play (default: forever)")
    parser.add_argument("--min-decodes", type=int, default=6)
    parser.add_argument("--max-decodes", type=int, default=14)
    parser.add_argument("--replay-chance", type=float, default=0.25,
                        help="chance per period of replaying the last period with the new flag off")
    parser.add_argument("--seed", type=int, help="random seed, for a repeatable feed")
    parser.add_argument("--fast", action="store_true", help="do not wait for the periods to pass")
    parser.add_argument("--multicast-ttl", type=int, default=1)
    parser.add_argument("--print-rows", action="store_true",
                        help="print the rows Tavrel should list, one per new decode, tab-separated")
    args = parser.parse_args()

    rng = random.Random(args.seed)
    period_s = 15.0 if args.mode == "FT8" else 7.5
    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sock.setsockopt(socket.IPPROTO_IP, socket.IP_MULTICAST_TTL, args.multicast_ttl)
    target = (args.host, args.port)

    def send(datagram):
        sock.sendto(datagram, target)
        if args.fast:
            time.sleep(0.002)  # a little spacing, as a real decoder has

    previous = []
    played = 0
    last_heartbeat = None
    try:
        while args.periods == 0 or played < args.periods:
            now = datetime.datetime.now(datetime.timezone.utc)
            midnight = now.replace(hour=0, minute=0, second=0, microsecond=0)
            since_midnight_ms = int((now - midnight).total_seconds() * 1000)
            period_ms = since_midnight_ms - since_midnight_ms % int(period_s * 1000)

            if last_heartbeat is None or args.fast or time.monotonic() - last_heartbeat >= 15:
                send(w.heartbeat())
                last_heartbeat = time.monotonic()
            send(w.status(mode=args.mode, tx_mode=args.mode))

            decodes = period_decodes(rng, period_ms, args)
            mode_char = "~" if args.mode == "FT8" else "+"
            for decode in decodes:
                send(w.decode(decode["time_ms"], decode["snr"], decode["dt"], decode["freq"], decode["message"],
                              mode=mode_char))
                if args.print_rows:
                    print(row_texts(decode), flush=True)
            if previous and rng.random() < args.replay_chance:
                for decode in previous:
                    send(w.decode(decode["time_ms"], decode["snr"], decode["dt"], decode["freq"],
                                  decode["message"], new=False, mode=mode_char))
            previous = decodes
            played += 1
            if not args.print_rows:
                print("period %s: %d decodes, DT around %+.2f s" % (
                    (midnight + datetime.timedelta(milliseconds=period_ms)).strftime("%H:%M:%S"),
                    len(decodes), args.offset), flush=True)

            if not args.fast and (args.periods == 0 or played < args.periods):
                time.sleep(period_s - (time.time() % period_s))
    except KeyboardInterrupt:
        pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
