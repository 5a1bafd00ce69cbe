-- String building with ..: fifty thousand appends to one string.
local s = ""
for i = 1, 50000 do
  s = s .. "x" .. (i % 10)
end
print(#s)
