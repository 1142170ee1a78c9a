# A long-term log of about 4 MB, past 70 % of its 5 MiB.
set(line "12/08/2026,10:15:24A,120.0,65.0,23.5,95.0,15.5,45,0,350\r\n")
string(REPEAT "${line}" 1000 block)
string(REPEAT "${block}" 70 body)
file(WRITE "${WORK}/root/Hard Disk/DataLog/LongTermDataLog.csv"
     "\r\nDATE,TIME,GRAIN TEMP,TEMP IN,MOIST IN,TEMP OUT,MOIST OUT,MR SPEED,MC,BPH\r\n${body}")
